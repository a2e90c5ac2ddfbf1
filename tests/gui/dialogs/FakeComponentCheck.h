#pragma once

// Stands in for the OCR model check: answers what the test set and counts the calls.
namespace FakeComponentCheck {

void setAnswer(bool fetched);
int calls();
void reset();

} // namespace FakeComponentCheck
