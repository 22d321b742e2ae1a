#pragma once
// A look at the IDE from outside while a person (or a desktop test) drives it: on SIGUSR1 the IDE
// writes to standard output the title of its active window, the class of the control with the
// keyboard focus and the editor's status panels, as they read at that moment, and a closing
// "end of report" line.
class THost;

void ReportOnSignal(THost& host);
