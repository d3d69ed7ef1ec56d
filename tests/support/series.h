// Repeated timings of one figure: the benchmarks rate the best and show the median.
#pragma once

#include <algorithm>
#include <vector>

namespace tavrik::test {

struct Series {
    std::vector<double> values;
    double Best() const { return *std::min_element(values.begin(), values.end()); }
    double Median() const {
        std::vector<double> sorted = values;
        std::sort(sorted.begin(), sorted.end());
        return sorted[sorted.size() / 2];
    }
};

}  // namespace tavrik::test
