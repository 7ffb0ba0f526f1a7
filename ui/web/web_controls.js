// The page's side of the web window, a JS library linked into the module
// (--js-library): the functions web_page.h declares, which the window's C++
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
    $velmoraControls: [],  // by the control's row in the layout table

    // Places a control's element in its container and keeps the element that
    // takes focus and events, or the element itself, for its row.
    $velmoraAdd__deps: velmoraNeeds('$velmoraControls'),
    $velmoraAdd: function(row, element, focusable, name, container, left, top, width, height, font, tabIndex) {
        element.id = UTF8ToString(name);
        element.classList.add('control');
        element.style.left = left + 'px';
        element.style.top = top + 'px';
        element.style.width = width + 'px';
        element.style.height = height + 'px';
        element.style.font = UTF8ToString(font);
        if (focusable) focusable.tabIndex = tabIndex;
        (container < 0 ? document.getElementById('frmVelmoraClient') : velmoraControls[container]).append(element);
        velmoraControls[row] = focusable || element;
    },

    $velmoraWindow: function() { return document.getElementById('frmVelmora'); },

    // The window's frame: a title bar of the height given, the client area,
    // and the region screen readers speak; its border's colour and the
    // rest of its look are the stylesheet's. Listens for the viewport's
    // changes of size, which the window answers.
    velmora_page_build_window__deps: velmoraNeeds('$velmoraControls'),
    velmora_page_build_window: function(title, clientWidth, clientHeight, border, titleBarHeight, resultColour,
                                        defaultButton) {
        title = UTF8ToString(title);
        document.title = title;
        var frame = document.createElement('section');
        frame.id = 'frmVelmora';
        frame.setAttribute('aria-labelledby', 'frmVelmoraTitle');
        frame.style.borderWidth = border + 'px';
        var bar = document.createElement('h1');
        bar.id = 'frmVelmoraTitle';
        bar.className = 'title-bar';
        bar.style.height = bar.style.lineHeight = titleBarHeight + 'px';
        bar.textContent = title;
        var client = document.createElement('div');
        client.id = 'frmVelmoraClient';
        client.className = 'client';
        client.style.width = clientWidth + 'px';
        client.style.height = clientHeight + 'px';
        client.style.setProperty('--result-colour', UTF8ToString(resultColour));
        // Screen readers speak what is put here: each result as it is shown.
        var spoken = document.createElement('div');
        spoken.id = 'frmVelmoraSpoken';
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

    velmora_page_add_frame__deps: velmoraNeeds('$velmoraAdd'),
    velmora_page_add_frame: function(row, name, container, left, top, width, height, font, caption) {
        var frame = document.createElement('fieldset');
        var legend = document.createElement('legend');
        legend.textContent = UTF8ToString(caption);
        frame.append(legend);
        velmoraAdd(row, frame, null, name, container, left, top, width, height, font, 0);
    },

    velmora_page_add_text_box__deps: velmoraNeeds('$velmoraAdd'),
    velmora_page_add_text_box: function(row, name, container, left, top, width, height, font, tabIndex, spokenName) {
        var box = document.createElement('input');
        box.type = 'text';
        box.autocomplete = 'off';
        box.spellcheck = false;
        box.setAttribute('autocapitalize', 'off');
        box.setAttribute('aria-label', UTF8ToString(spokenName));
        box.addEventListener('input', function() { _velmora_text_changed(row); });
        velmoraAdd(row, box, box, name, container, left, top, width, height, font, tabIndex);
    },

    // A radio button in a label, one exclusive group a container; the shown
    // symbol is hidden from screen readers, which hear the spoken name.
    velmora_page_add_option__deps: velmoraNeeds('$velmoraAdd', '$velmoraControls'),
    velmora_page_add_option: function(row, name, container, left, top, width, height, font, tabIndex, caption,
                                      spokenName) {
        var option = document.createElement('label');
        var radio = document.createElement('input');
        radio.type = 'radio';
        radio.name = container < 0 ? 'frmVelmoraClient' : velmoraControls[container].id;
        radio.setAttribute('aria-label', UTF8ToString(spokenName));
        radio.addEventListener('change', function() {
            if (radio.checked) _velmora_clicked(row);
        });
        var text = document.createElement('span');
        text.textContent = UTF8ToString(caption);
        text.setAttribute('aria-hidden', 'true');
        option.append(radio, text);
        velmoraAdd(row, option, radio, name, container, left, top, width, height, font, tabIndex);
    },

    velmora_page_add_button__deps: velmoraNeeds('$velmoraAdd'),
    velmora_page_add_button: function(row, name, container, left, top, width, height, font, tabIndex, caption) {
        var button = document.createElement('button');
        button.type = 'button';
        button.textContent = UTF8ToString(caption);
        button.addEventListener('click', function() { _velmora_clicked(row); });
        velmoraAdd(row, button, button, name, container, left, top, width, height, font, tabIndex);
    },

    velmora_page_add_label__deps: velmoraNeeds('$velmoraAdd'),
    velmora_page_add_label: function(row, name, container, left, top, width, height, font, spokenName) {
        var label = document.createElement('div');
        label.className = 'result';
        label.setAttribute('aria-label', UTF8ToString(spokenName));
        velmoraAdd(row, label, null, name, container, left, top, width, height, font, 0);
    },

    // A decorative line on the client area, from one end to the other; what
    // runs past the client area is cut off, as on the desktop.
    velmora_page_add_line__deps: velmoraNeeds(),
    velmora_page_add_line: function(name, x1, y1, x2, y2) {
        var line = document.createElement('div');
        line.id = UTF8ToString(name);
        line.className = 'line';
        line.setAttribute('aria-hidden', 'true');
        line.style.left = Math.min(x1, x2) + 'px';
        line.style.top = Math.min(y1, y2) + 'px';
        line.style.width = Math.abs(x2 - x1) + 1 + 'px';
        line.style.height = Math.abs(y2 - y1) + 1 + 'px';
        document.getElementById('frmVelmoraClient').append(line);
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
    velmora_page_speak__deps: velmoraNeeds(),
    velmora_page_speak: function(text) {
        text = UTF8ToString(text);
        var spoken = document.getElementById('frmVelmoraSpoken');
        spoken.textContent = text && spoken.textContent === text ? text + '\u00a0' : text;
    },

    // The layout viewport's size: on a phone innerWidth would give the part
    // of it shown at the present zoom.
    velmora_page_viewport_size: function(horizontal) {
        return horizontal ? document.documentElement.clientWidth : document.documentElement.clientHeight;
    },
    velmora_page_place_window__deps: ['$velmoraWindow'],
    velmora_page_place_window: function(horizontal, pixels) {
        velmoraWindow().style[horizontal ? 'left' : 'top'] = pixels + 'px';
    },
    velmora_page_scale_window__deps: ['$velmoraWindow'],
    velmora_page_scale_window: function(scale) {
        velmoraWindow().style.transform = scale === 1 ? '' : 'scale(' + scale + ')';
    },

    // A fault that stopped a handler, in a modal dialog; focus goes back
    // where it was when it is closed.
    velmora_page_show_fault__deps: velmoraNeeds(),
    velmora_page_show_fault: function(title, text) {
        var dialog = document.getElementById('frmVelmoraFault');
        if (!dialog) {
            dialog = document.createElement('dialog');
            dialog.id = 'frmVelmoraFault';
            dialog.setAttribute('role', 'alertdialog');
            dialog.setAttribute('aria-labelledby', 'frmVelmoraFaultTitle');
            dialog.setAttribute('aria-describedby', 'frmVelmoraFaultText');
            var heading = document.createElement('h2');
            heading.id = 'frmVelmoraFaultTitle';
            var message = document.createElement('p');
            message.id = 'frmVelmoraFaultText';
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
