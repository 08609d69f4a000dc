#pragma once

namespace ovant {

// Makes memory that the program frees go back to the system at once.
//
// The C library serves large blocks (a screen's image, a zoom view's
// schematic) straight from the system and gives them back when freed, but
// once a large block has been freed it raises that limit to the block's size
// for good: after the splash's screen-sized image is gone, every picture
// below 8 MB would come from the heap, and a heap keeps what was freed in
// its middle. A screen saver that shows one picture after another for hours
// then grows while it uses no more. Fixing the limit keeps large blocks out
// of the heap. Does nothing where the C library has no such setting.
void keepFreedMemoryReturned();

// Gives the free pages inside the heap back to the system. Blocks freed in
// the heap's middle stay mapped otherwise, however long they stay unused;
// a screen saver that builds and takes down panels, zoom views and ships for
// hours calls this now and then. Does nothing where the C library cannot.
void returnFreedMemory();

}  // namespace ovant
