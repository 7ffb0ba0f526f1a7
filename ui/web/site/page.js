// Velmora's page script, linked into the module ahead of its own code
// (--pre-js), which takes its settings from Module: once the window is
// drawn, has the site kept for use offline.
'use strict';

// The service worker keeps the site's files. Browsers allow one only over
// HTTPS or from this machine; elsewhere the page simply needs the network.
// Registered after the window's first frame, so that starting the worker
// and its caching of the site never hold up that frame; the worker finds
// the module's files in the browser's HTTP cache rather than fetching them
// again. A page opened in a hidden tab registers it when first shown.
function keepForOffline() {
    if (!('serviceWorker' in navigator)) return;
    requestAnimationFrame(function() {
        setTimeout(function() {
            navigator.serviceWorker.register('service-worker.js').catch(function() {});
        }, 0);
    });
}

var Module = {
    postRun: [keepForOffline]
};
