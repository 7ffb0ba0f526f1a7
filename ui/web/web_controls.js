// The page's side of the web window, a JS library linked into the module
// (--js-library): the functions web_controls.h declares, which the window's C++
// calls directly. They build the layout table's rows into the DOM, read and
// write them, and hand every control event back to the window; the
// window's behaviour is all in C++.

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
    $velmoraPlaced: [],    // and the element placed in the page, where that is another
    $velmoraWindow: {name: ''},  // its name, which its elements' ids start with

    $velmoraElement__deps: ['$velmoraWindow'],
    $velmoraElement: function(part) { return document.getElementById(velmoraWindow.name + part); },

    // The window's frame: a title bar, the client area, and the region
    // screen readers speak; its border's colour and the rest of its look
    // are the stylesheet's. Listens for the viewport's changes of size,
    // which the window answers.
    velmora_page_build_window__deps: velmoraNeeds('$velmoraControls', '$velmoraWindow'),
    velmora_page_build_window: function(name, title, faces, resultColour, defaultButton) {
        name = velmoraWindow.name = UTF8ToString(name);
        title = UTF8ToString(title);
        document.title = title;
        document.documentElement.style.setProperty('--faces', UTF8ToString(faces));
        var frame = document.createElement('main');
        frame.id = name;
        frame.className = 'window';
        frame.setAttribute('aria-labelledby', name + 'Title');
        var bar = document.createElement('h1');
        bar.id = name + 'Title';
        bar.className = 'title-bar';
        bar.textContent = title;
        var client = document.createElement('div');
        client.id = name + 'Client';
        client.className = 'client';
        client.style.setProperty('--result-colour', UTF8ToString(resultColour));
        // Screen readers speak what is put here: each result as it is shown.
        var spoken = document.createElement('div');
        spoken.id = name + 'Spoken';
        spoken.className = 'spoken';
        spoken.setAttribute('aria-live', 'polite');
        spoken.setAttribute('aria-atomic', 'true');
        frame.append(bar, client, spoken);
        document.body.append(frame);
        // Enter anywhere in the window runs the default button, before a
        // control can take it.
        frame.addEventListener('keydown', function(event) {
            if (event.key !== 'Enter' || event.isComposing) return;
            event.preventDefault();
            velmoraControls[defaultButton].click();
        }, true);
        window.addEventListener('resize', function() { _velmora_viewport_changed(); });
    },

    velmora_page_size_window__deps: velmoraNeeds('$velmoraElement'),
    velmora_page_size_window: function(clientWidth, clientHeight, border, titleBarHeight, titleFont) {
        velmoraElement('').style.borderWidth = border + 'px';
        var bar = velmoraElement('Title');
        bar.style.font = UTF8ToString(titleFont);
        bar.style.height = bar.style.lineHeight = titleBarHeight + 'px';
        var client = velmoraElement('Client');
        client.style.width = clientWidth + 'px';
        client.style.height = clientHeight + 'px';
    },

    // A made control: the element to place, and the one that takes focus
    // and events where that is another.
    $velmoraMade__deps: ['$velmoraControls', '$velmoraPlaced'],
    $velmoraMade: function(row, element, inner) {
        velmoraPlaced[row] = element;
        velmoraControls[row] = inner || element;
    },

    velmora_page_make_frame__deps: velmoraNeeds('$velmoraMade'),
    velmora_page_make_frame: function(row, caption) {
        var frame = document.createElement('fieldset');
        var legend = document.createElement('legend');
        legend.textContent = UTF8ToString(caption);
        frame.append(legend);
        velmoraMade(row, frame);
    },

    velmora_page_make_text_box__deps: velmoraNeeds('$velmoraMade'),
    velmora_page_make_text_box: function(row, spokenName) {
        var box = document.createElement('input');
        box.type = 'text';
        box.autocomplete = 'off';
        box.spellcheck = false;
        box.setAttribute('autocapitalize', 'off');
        box.setAttribute('aria-label', UTF8ToString(spokenName));
        box.addEventListener('input', function() { _velmora_text_changed(row); });
        velmoraMade(row, box);
    },

    // A radio button in a label; the shown symbol is hidden from screen
    // readers, which hear the spoken name.
    velmora_page_make_option__deps: velmoraNeeds('$velmoraMade', '$velmoraWindow'),
    velmora_page_make_option: function(row, group, caption, spokenName) {
        var option = document.createElement('label');
        var radio = document.createElement('input');
        radio.type = 'radio';
        radio.name = velmoraWindow.name + '-group-' + group;
        radio.setAttribute('aria-label', UTF8ToString(spokenName));
        radio.addEventListener('change', function() {
            if (radio.checked) _velmora_clicked(row);
        });
        var text = document.createElement('span');
        text.textContent = UTF8ToString(caption);
        text.setAttribute('aria-hidden', 'true');
        option.append(radio, text);
        velmoraMade(row, option, radio);
    },

    velmora_page_make_button__deps: velmoraNeeds('$velmoraMade'),
    velmora_page_make_button: function(row, caption) {
        var button = document.createElement('button');
        button.type = 'button';
        button.textContent = UTF8ToString(caption);
        button.addEventListener('click', function() { _velmora_clicked(row); });
        velmoraMade(row, button);
    },

    // Shown text, which is also what screen readers read.
    velmora_page_make_label__deps: velmoraNeeds('$velmoraMade'),
    velmora_page_make_label: function(row) {
        var label = document.createElement('div');
        label.className = 'result';
        velmoraMade(row, label);
    },

    velmora_page_place__deps: velmoraNeeds('$velmoraPlaced', '$velmoraElement'),
    velmora_page_place: function(row, name, parent) {
        var element = velmoraPlaced[row];
        element.id = UTF8ToString(name);
        element.classList.add('control');
        (parent < 0 ? velmoraElement('Client') : velmoraPlaced[parent]).append(element);
    },

    $velmoraSetBox: function(element, left, top, width, height) {
        element.style.left = left + 'px';
        element.style.top = top + 'px';
        element.style.width = width + 'px';
        element.style.height = height + 'px';
    },

    velmora_page_set_box__deps: velmoraNeeds('$velmoraPlaced', '$velmoraSetBox'),
    velmora_page_set_box: function(row, left, top, width, height, font) {
        velmoraSetBox(velmoraPlaced[row], left, top, width, height);
        velmoraPlaced[row].style.font = UTF8ToString(font);
    },

    // A decorative line on the client area; what runs past the client area
    // is cut off, as on the desktop.
    velmora_page_set_line__deps: velmoraNeeds('$velmoraElement', '$velmoraSetBox'),
    velmora_page_set_line: function(name, left, top, width, height) {
        name = UTF8ToString(name);
        var line = document.getElementById(name);
        if (!line) {
            line = document.createElement('div');
            line.id = name;
            line.className = 'line';
            line.setAttribute('aria-hidden', 'true');
            velmoraElement('Client').append(line);
        }
        velmoraSetBox(line, left, top, width, height);
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
    // The window is always whole in the viewport: nothing to scroll to,
    // and no layout of the page to wait for.
    velmora_page_focus__deps: ['$velmoraControls'],
    velmora_page_focus: function(row) { velmoraControls[row].focus({preventScroll: true}); },
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
