// A shared object made of nothing but the client library, so that a test can
// see which of its symbols a plug-in's shared object exports.
