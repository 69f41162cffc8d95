#pragma once

// Ends the program as a close of its window would when it is asked to stop by a signal (SIGINT
// from Ctrl+C in its terminal, SIGTERM, SIGHUP), so that its temporary files are removed.
void quitOnTerminationSignals();
