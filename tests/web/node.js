// Run before the unit tests under node (--pre-js): Emscripten 3.1.6 loads its .wasm with fetch
// wherever fetch exists, and node 18 and later have one that takes no file path; and the tests'
// environment variables (TAVIMO_PROPERTY_COUNT ...) reach the program only when copied in.
var fetch;
Module.preRun = [function () { Object.assign(ENV, process.env); }];
