#pragma once

namespace ovant {

// Ends the process at once: no further handler runs and no paused sequence
// resumes. Every setting is already on disk, so nothing is lost.
[[noreturn]] void endProcessNow(int exitCode = 0);

}  // namespace ovant
