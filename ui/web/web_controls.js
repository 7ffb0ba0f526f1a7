// The page's side of the web window, a JS library linked into the module
// (--js-library): the functions web_controls.h declares, which the window's C++
// calls directly. They attach to the window's elements, which the page
// arrives with, read and write them, and hand every control event back to
// the window; the window's behaviour is all in C++.

// The runtime's string helpers, which newer emscripten releases link in
// only when a library function names them.
var velmoraStringHelpers = ['$UTF8ToString', '$stringToUTF8', '$lengthBytesUTF8'].filter(function(helper) {
    return helper in LibraryManager.library;
});
function velmoraNeeds() {
    return velmoraStringHelpers.concat(Array.prototype.slice.call(arguments));
}

(typeof addToLibrary === 'function' ? addToLibrary : function(functions) {
    mergeInto(LibraryManager.library, functions);
})({
    $velmoraControls: [],  // by the control's row in the layout table: the element that takes events
    $velmoraWindow: {name: ''},  // its name, which its elements' ids start with

    $velmoraElement__deps: ['$velmoraWindow'],
    $velmoraElement: function(part) { return document.getElementById(velmoraWindow.name + part); },

    velmora_page_attach_window__deps: velmoraNeeds('$velmoraControls', '$velmoraWindow', '$velmoraElement'),
    velmora_page_attach_window: function(name, defaultButton) {
        velmoraWindow.name = UTF8ToString(name);
        // Enter anywhere in the window runs the default button, before a
        // control can take it.
        velmoraElement('').addEventListener('keydown', function(event) {
            if (event.key !== 'Enter' || event.isComposing) return;
            event.preventDefault();
            velmoraControls[defaultButton].click();
        }, true);
        window.addEventListener('resize', function() { _velmora_viewport_changed(); });
    },

    // An option is a label around its radio button, which takes the events.
    velmora_page_attach__deps: velmoraNeeds('$velmoraControls'),
    velmora_page_attach: function(row, name) {
        var element = document.getElementById(UTF8ToString(name));
        var control = velmoraControls[row] = element.control || element;
        if (control.type === 'text') {
            control.addEventListener('input', function() { _velmora_text_changed(row); });
        } else if (control.type === 'radio') {
            control.addEventListener('change', function() {
                if (control.checked) _velmora_clicked(row);
            });
        } else if (control.type === 'button') {
            control.addEventListener('click', function() { _velmora_clicked(row); });
            control.disabled = false;
        }
    },

    velmora_page_copy_text__deps: velmoraNeeds('$velmoraControls'),
    velmora_page_copy_text: function(row, text, size) {
        var value = velmoraControls[row].value;
        var needed = lengthBytesUTF8(value);
        if (needed < size) stringToUTF8(value, text, size);
        return needed;
    },
    velmora_page_set_text__deps: velmoraNeeds('$velmoraControls'),
    velmora_page_set_text: function(row, text) { velmoraControls[row].value = UTF8ToString(text); },
    velmora_page_is_checked__deps: ['$velmoraControls'],
    velmora_page_is_checked: function(row) { return velmoraControls[row].checked ? 1 : 0; },
    velmora_page_check__deps: ['$velmoraControls'],
    velmora_page_check: function(row) { velmoraControls[row].checked = true; },
    velmora_page_set_caption__deps: velmoraNeeds('$velmoraControls'),
    velmora_page_set_caption: function(row, text) { velmoraControls[row].textContent = UTF8ToString(text); },

    // Screen readers speak a live region when its text changes: a text shown
    // again is told apart by a no-break space that comes and goes. Emptied,
    // the region says nothing (it announces additions only), and holds no
    // old result for a screen reader's browse mode to find.
    velmora_page_speak__deps: velmoraNeeds('$velmoraElement'),
    velmora_page_speak: function(text) {
        text = UTF8ToString(text);
        var spoken = velmoraElement('Spoken');
        spoken.textContent = text && spoken.textContent === text ? text + '\u00a0' : text;
    },

    // The layout viewport's size: on a phone innerWidth would give the part
    // of it shown at the present zoom.
    velmora_page_viewport_width: function() { return document.documentElement.clientWidth; },
    velmora_page_viewport_height: function() { return document.documentElement.clientHeight; },
    velmora_page_window_width__deps: ['$velmoraElement'],
    velmora_page_window_width: function() { return velmoraElement('').offsetWidth; },
    velmora_page_window_height__deps: ['$velmoraElement'],
    velmora_page_window_height: function() { return velmoraElement('').offsetHeight; },
    velmora_page_set_window_left__deps: ['$velmoraElement'],
    velmora_page_set_window_left: function(pixels) { velmoraElement('').style.left = pixels + 'px'; },
    velmora_page_set_window_top__deps: ['$velmoraElement'],
    velmora_page_set_window_top: function(pixels) { velmoraElement('').style.top = pixels + 'px'; },
    // A fault that stopped a handler, in a modal dialog; focus goes back
    // where it was when it is closed.
    velmora_page_show_fault__deps: velmoraNeeds('$velmoraElement', '$velmoraWindow'),
    velmora_page_show_fault: function(title, text) {
        var dialog = velmoraElement('Fault');
        if (!dialog) {
            dialog = document.createElement('dialog');
            var name = velmoraWindow.name;
            dialog.id = name + 'Fault';
            dialog.className = 'fault';
            dialog.setAttribute('role', 'alertdialog');
            dialog.setAttribute('aria-labelledby', name + 'FaultTitle');
            dialog.setAttribute('aria-describedby', name + 'FaultText');
            var heading = document.createElement('h2');
            heading.id = name + 'FaultTitle';
            var message = document.createElement('p');
            message.id = name + 'FaultText';
            var form = document.createElement('form');
            form.method = 'dialog';
            var ok = document.createElement('button');
            ok.textContent = 'OK';
            form.append(ok);
            dialog.append(heading, message, form);
            dialog.addEventListener('close', function() {
                if (dialog.returnFocus) dialog.returnFocus.focus();
            });
            document.body.append(dialog);
        }
        dialog.querySelector('h2').textContent = UTF8ToString(title);
        dialog.querySelector('p').textContent = UTF8ToString(text);
        dialog.returnFocus = document.activeElement;
        dialog.showModal();
    },
});
