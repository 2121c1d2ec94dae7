// A library that loads but has no plug-in entry point.
extern "C" int fwcTestNotAnEntryPoint() { return 42; }
