#pragma once

// While on, no wrapped dialog blocks: message boxes, file dialogs and modal dialogs take the
// answers a test queued, and without one they give up at once (no button, no file, rejected).
namespace DialogTestMode {

void setEnabled(bool on);
bool isEnabled();

} // namespace DialogTestMode
