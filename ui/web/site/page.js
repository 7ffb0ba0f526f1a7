// Velmora's page: draws the window at its layout size, or, on a narrow
// viewport (a phone held upright) or one too small for it, scaled as a whole
// to fill the width it has, and has the program centre it in the viewport
// whenever that changes; then has the site kept for use offline. Loaded
// before the module, which takes its settings from Module.
'use strict';

var NARROW_VIEWPORT = 600;  // CSS pixels wide

function fitWindowToViewport() {
    var frame = document.getElementById('frmVelmora');
    var fit = function() {
        frame.style.transform = '';
        var box = frame.getBoundingClientRect();
        var width = document.documentElement.clientWidth;
        var height = document.documentElement.clientHeight;
        var scale = Math.min(width / box.width, height / box.height);
        if (width >= NARROW_VIEWPORT) scale = Math.min(scale, 1);
        frame.style.transform = scale === 1 ? '' : 'scale(' + scale + ')';
        Module._velmora_viewport_changed();
    };
    window.addEventListener('resize', fit);
    fit();
}

// The service worker keeps the site's files. Browsers allow one only over
// HTTPS or from this machine; elsewhere the page simply needs the network.
// Registered once the module runs: the window is not kept waiting, and the
// worker finds the module's files in the browser's HTTP cache rather than
// fetching them again.
function keepForOffline() {
    if ('serviceWorker' in navigator)
        navigator.serviceWorker.register('service-worker.js').catch(function() {});
}

var Module = {
    postRun: [fitWindowToViewport, keepForOffline]
};
