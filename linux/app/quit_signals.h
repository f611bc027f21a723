#pragma once

namespace tockbell {

// Makes SIGTERM, SIGINT and SIGHUP (log-out, Ctrl+C, a closed terminal) end the event loop as "Close"
// does, so that the program stops its sounds and saves. Call once, after the application exists.
void QuitOnTerminationSignals();

}  // namespace tockbell
