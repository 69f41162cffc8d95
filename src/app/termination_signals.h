#pragma once

// Ends the program normally when it is asked to stop by a signal (SIGINT from Ctrl+C in its
// terminal, SIGTERM, SIGHUP), so that its temporary files are removed, without asking anything:
// unsaved changes stay in the recovery copy.
void quitOnTerminationSignals();
