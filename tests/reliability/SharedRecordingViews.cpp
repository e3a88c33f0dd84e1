// The presenter tests' recording views, compiled into this executable too rather than copied.
#include "workbench/presenters/RecordingViews.cpp"
