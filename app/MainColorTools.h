// SPDX-License-Identifier: MIT
#pragma once

class MainColor;

// Adds to the main window, without moving any of its controls: picking a
// colour from the screen (Ctrl+T), copying the colour for style sheets
// (Ctrl+Shift+C and the samples' and code box's context menus), dropping a
// dragged colour onto the window, and the contrast between the two samples
// in the list sample's tooltip.
void InstallColourTools(MainColor& window);
