// The alphas a fade in or out passes through, one window repaint each.
#pragma once

#include <vector>

namespace tavrik::window {

// MaxTransparency as an alpha: held to 0..255, whatever an edited settings file says.
int ShownAlpha(int maxTransparency);

// Fade-in: 0, then up by fadeSpeed while not above the shown alpha, then the shown alpha once
// more (so it repeats when a step lands on it). Fade-out: the shown alpha, then down by fadeSpeed
// while not below 0, then 0 once more. A speed below 1 counts as 1; both lists are short and finite.
std::vector<int> FadeInAlphas(int maxTransparency, int fadeSpeed);
std::vector<int> FadeOutAlphas(int maxTransparency, int fadeSpeed);

}  // namespace tavrik::window
