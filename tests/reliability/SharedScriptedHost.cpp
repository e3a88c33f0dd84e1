// The window tests' scripted host core, compiled into this executable too rather than copied.
#include "window/main/ScriptedHost.cpp"
