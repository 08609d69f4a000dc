#pragma once

namespace ovant {

// Asks Qt's X11 back end to hand each frame's changed pixels to the X server
// through the connection instead of through shared memory. Call before the
// application object exists.
//
// With shared memory, painting into pixels the server may still be reading
// for the last frame first waits for a round trip to the server, and each
// hand-over's completion wakes the program once more. A crossing ship's
// frames always overlap the last one, so every frame paid both. The
// console's frames change a few thousand pixels, which cost less to copy:
// side by side, the console as screen saver took about a tenth less CPU time.
// A QT_XCB_NO_MITSHM the user has set is left as it is.
void preferCopiedFrames();

}  // namespace ovant
