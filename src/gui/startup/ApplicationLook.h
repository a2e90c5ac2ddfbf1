#pragma once

// The application's look, set once its QApplication exists: the light palette, Arial at 12 px,
// the style sheet and the window icon. Tests that place or photograph widgets set the same look.
void applyApplicationLook();
