// A library without the plug-in entry point.
extern "C" int clienttestNoEntry() { return 0; }
