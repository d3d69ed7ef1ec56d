// Fade steps from FadeSpeed and MaxTransparency.
#include "window/fade.h"

#include <algorithm>

namespace tavrik::window {

namespace {

// A speed of 0 or less would never reach the end. Any speed above 256 leaps over the whole range
// in one step as 256 does, and holding it there keeps the sums far from overflowing.
int FadeStep(int fadeSpeed) { return std::clamp(fadeSpeed, 1, 256); }

}  // namespace

int ShownAlpha(int maxTransparency) { return std::clamp(maxTransparency, 0, 255); }

std::vector<int> FadeInAlphas(int maxTransparency, int fadeSpeed) {
    const int top = ShownAlpha(maxTransparency);
    const int step = FadeStep(fadeSpeed);
    std::vector<int> alphas;
    alphas.reserve(static_cast<std::size_t>(top / step) + 2);
    for (int alpha = 0; alpha <= top; alpha += step) alphas.push_back(alpha);
    alphas.push_back(top);  // the steps stop short of it unless one lands on it exactly
    return alphas;
}

std::vector<int> FadeOutAlphas(int maxTransparency, int fadeSpeed) {
    const int top = ShownAlpha(maxTransparency);
    const int step = FadeStep(fadeSpeed);
    std::vector<int> alphas;
    alphas.reserve(static_cast<std::size_t>(top / step) + 2);
    for (int alpha = top; alpha >= 0; alpha -= step) alphas.push_back(alpha);
    alphas.push_back(0);  // hidden windows stay layered at 0, however the steps fell
    return alphas;
}

std::vector<int> PaceFade(const std::vector<int>& alphas, double budgetMs, const std::function<double()>& nowMs,
                          const std::function<void(int alpha)>& setAlpha) {
    std::vector<int> set;
    if (alphas.empty()) return set;
    set.reserve(alphas.size());
    const double start = nowMs();
    const size_t last = alphas.size() - 1;
    for (size_t i = 0; i <= last; ++i) {
        if (i > 0 && i < last) {
            const double nextDue = budgetMs * static_cast<double>(i + 1) / static_cast<double>(last);
            if (nowMs() - start > nextDue) continue;  // a whole step late: catch up
        }
        setAlpha(alphas[i]);
        set.push_back(alphas[i]);
    }
    return set;
}

}  // namespace tavrik::window
