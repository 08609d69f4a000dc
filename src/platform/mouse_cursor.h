#pragma once

namespace ovant {

// Hiding and showing the mouse pointer do not count: after hide() the pointer
// is hidden however often it was shown before, and the other way round.
class MouseCursor {
public:
    static void hide();
    static void show();
    static bool hidden();
};

}  // namespace ovant
