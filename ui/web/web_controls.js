// The page's controls for the web front end: builds the layout table's rows
// into the DOM, reads and writes them, and hands every control event to the
// program (velmora_control_event). Linked into the module ahead of its
// code; the window's behaviour is all in the program.

var velmoraControls = [];  // by the control's index in the layout table

function velmoraString(pointer, length) {
    return new TextDecoder().decode(HEAPU8.subarray(pointer, pointer + length));
}

// Writes text as UTF-8 and a terminating zero into [pointer, pointer + size);
// the bytes it needs, without the zero, whether or not they fitted.
function velmoraWriteString(text, pointer, size) {
    var bytes = new TextEncoder().encode(text);
    if (bytes.length < size) {
        HEAPU8.set(bytes, pointer);
        HEAPU8[pointer + bytes.length] = 0;
    }
    return bytes.length;
}

function velmoraWindow() { return document.getElementById('frmVelmora'); }

function velmoraControlEvent(index, kind) {
    Module['_velmora_control_event'](index, kind);
}

var VELMORA_CHANGE = 0, VELMORA_CLICK = 1;
var VELMORA_FRAME = 0, VELMORA_TEXT_BOX = 1, VELMORA_OPTION = 2, VELMORA_BUTTON = 3, VELMORA_LABEL = 4;

function velmoraBuildWindow(title, clientWidth, clientHeight, resultColour) {
    document.title = title;
    var frame = document.createElement('section');
    frame.id = 'frmVelmora';
    frame.setAttribute('aria-labelledby', 'frmVelmoraTitle');
    var bar = document.createElement('h1');
    bar.id = 'frmVelmoraTitle';
    bar.className = 'title-bar';
    bar.textContent = title;
    var client = document.createElement('div');
    client.id = 'frmVelmoraClient';
    client.className = 'client';
    client.style.width = clientWidth + 'px';
    client.style.height = clientHeight + 'px';
    client.style.setProperty('--result-colour', resultColour);
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
        velmoraControls[frame.dataset.defaultButton].click();
    }, true);
}

function velmoraAddControl(index, kind, name, containerIndex, caption, spokenName,
                           left, top, width, height, font, tabIndex) {
    var container = containerIndex < 0 ? document.getElementById('frmVelmoraClient')
                                       : velmoraControls[containerIndex];
    var element, focusable;
    if (kind === VELMORA_FRAME) {
        element = document.createElement('fieldset');
        var legend = document.createElement('legend');
        legend.textContent = caption;
        element.append(legend);
    } else if (kind === VELMORA_TEXT_BOX) {
        element = focusable = document.createElement('input');
        element.type = 'text';
        element.autocomplete = 'off';
        element.spellcheck = false;
        element.setAttribute('autocapitalize', 'off');
        element.setAttribute('aria-label', spokenName);
        element.addEventListener('input', function() { velmoraControlEvent(index, VELMORA_CHANGE); });
    } else if (kind === VELMORA_OPTION) {
        element = document.createElement('label');
        focusable = document.createElement('input');
        focusable.type = 'radio';
        focusable.name = container.id;  // one exclusive group a container
        focusable.setAttribute('aria-label', spokenName);
        focusable.addEventListener('change', function() {
            if (focusable.checked) velmoraControlEvent(index, VELMORA_CLICK);
        });
        var text = document.createElement('span');
        text.textContent = caption;
        text.setAttribute('aria-hidden', 'true');
        element.append(focusable, text);
    } else if (kind === VELMORA_BUTTON) {
        element = focusable = document.createElement('button');
        element.type = 'button';
        element.textContent = caption;
        element.addEventListener('click', function() { velmoraControlEvent(index, VELMORA_CLICK); });
    } else {
        element = document.createElement('div');
        element.className = 'result';
        element.setAttribute('aria-label', spokenName);
    }
    element.id = name;
    element.classList.add('control');
    element.style.left = left + 'px';
    element.style.top = top + 'px';
    element.style.width = width + 'px';
    element.style.height = height + 'px';
    element.style.font = font;
    if (focusable) focusable.tabIndex = tabIndex;
    container.append(element);
    velmoraControls[index] = focusable || element;
}

// A decorative line on the client area, from one end to the other; what
// runs past the client area is cut off, as on the desktop.
function velmoraAddLine(name, x1, y1, x2, y2) {
    var line = document.createElement('div');
    line.id = name;
    line.className = 'line';
    line.setAttribute('aria-hidden', 'true');
    line.style.left = Math.min(x1, x2) + 'px';
    line.style.top = Math.min(y1, y2) + 'px';
    line.style.width = Math.abs(x2 - x1) + 1 + 'px';
    line.style.height = Math.abs(y2 - y1) + 1 + 'px';
    document.getElementById('frmVelmoraClient').append(line);
}

function velmoraTextOf(index) { return velmoraControls[index].value; }
function velmoraSetText(index, text) { velmoraControls[index].value = text; }
function velmoraIsChecked(index) { return velmoraControls[index].checked; }
function velmoraCheck(index) { velmoraControls[index].checked = true; }
function velmoraSetCaption(index, text) { velmoraControls[index].textContent = text; }

// Screen readers speak a live region when its text changes: a text shown
// again is told apart by a no-break space that comes and goes. Emptied,
// the region says nothing (it announces additions only), and holds no old
// result for a screen reader's browse mode to find.
function velmoraSpeak(text) {
    var spoken = document.getElementById('frmVelmoraSpoken');
    spoken.textContent = text && spoken.textContent === text ? text + '\u00a0' : text;
}

// The window's rendered size, and the viewport's, in CSS pixels.
function velmoraOuterSize(horizontal) {
    var box = velmoraWindow().getBoundingClientRect();
    return horizontal ? box.width : box.height;
}
function velmoraViewportSize(horizontal) {
    return horizontal ? document.documentElement.clientWidth : document.documentElement.clientHeight;
}
function velmoraPlace(horizontal, pixels) {
    velmoraWindow().style[horizontal ? 'left' : 'top'] = pixels + 'px';
}

// A fault that stopped a handler, in a modal dialog; focus goes back where
// it was when it is closed.
function velmoraShowFault(title, text) {
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
    dialog.querySelector('h2').textContent = title;
    dialog.querySelector('p').textContent = text;
    dialog.returnFocus = document.activeElement;
    dialog.showModal();
}
