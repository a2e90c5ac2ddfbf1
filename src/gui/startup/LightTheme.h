#pragma once

// Installs the fixed light palette for every colour group, whatever the desktop's theme.
void initAsLightTheme();
