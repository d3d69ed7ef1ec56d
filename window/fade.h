// The alphas a fade in or out passes through, and the pace it goes through them at.
#pragma once

#include <functional>
#include <vector>

namespace tavrik::window {

// MaxTransparency as an alpha: held to 0..255, whatever an edited settings file says.
int ShownAlpha(int maxTransparency);

// Fade-in: 0, then up by fadeSpeed while not above the shown alpha, then the shown alpha once
// more (so it repeats when a step lands on it). Fade-out: the shown alpha, then down by fadeSpeed
// while not below 0, then 0 once more. A speed below 1 counts as 1; both lists are short and finite.
std::vector<int> FadeInAlphas(int maxTransparency, int fadeSpeed);
std::vector<int> FadeOutAlphas(int maxTransparency, int fadeSpeed);

// How long a whole fade may hold the keyboard: the fade loops handle no messages, and the user is
// waiting to type (or for the window to go).
constexpr double kFadeBudgetMs = 160;

// Sets the alphas in order through setAlpha (which may wait for the screen to show each), and
// returns those it set. Step i is due at budgetMs * i / (steps - 1) from the start; a step that
// begins after the next one was due is skipped, so a slow machine passes through fewer alphas,
// still in order, and ends near the budget. The first and the last alpha are always set. nowMs
// is the clock, in milliseconds.
std::vector<int> PaceFade(const std::vector<int>& alphas, double budgetMs, const std::function<double()>& nowMs,
                          const std::function<void(int alpha)>& setAlpha);

}  // namespace tavrik::window
