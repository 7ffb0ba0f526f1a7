// Linked before a test program built for Node: the program sees the
// environment ctest gave it, as a native one does.
Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(function() {
    Object.assign(ENV, process.env);
});
