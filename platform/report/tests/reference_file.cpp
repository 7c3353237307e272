#include "reference_file.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace vorel::report::testing {

namespace {

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace

std::string line_diff(const std::string& expected, const std::string& actual) {
    const auto a = lines_of(expected), b = lines_of(actual);
    const std::size_t n = a.size(), m = b.size();
    std::vector<std::vector<int>> lcs(n + 1, std::vector<int>(m + 1, 0));
    for (std::size_t i = n; i-- > 0;)
        for (std::size_t j = m; j-- > 0;)
            lcs[i][j] = a[i] == b[j] ? lcs[i + 1][j + 1] + 1 : std::max(lcs[i + 1][j], lcs[i][j + 1]);
    std::string out;
    std::size_t i = 0, j = 0;
    while (i < n || j < m) {
        if (i < n && j < m && a[i] == b[j]) {
            ++i, ++j;
        } else if (i < n && (j == m || lcs[i + 1][j] >= lcs[i][j + 1])) {
            out += "-" + std::to_string(i + 1) + ": " + a[i] + "\n";
            ++i;
        } else {
            out += "+" + std::to_string(j + 1) + ": " + b[j] + "\n";
            ++j;
        }
    }
    return out;
}

::testing::AssertionResult matches_reference(const std::string& actual, const std::string& name) {
    namespace fs = std::filesystem;
    const fs::path reference = fs::path(VOREL_REPORT_REFERENCES) / name;
    const fs::path left = fs::temp_directory_path() / ("vorel-report-" + name + ".actual");
    {
        std::ofstream out(left, std::ios::binary);
        out << actual;
    }
    std::ifstream in(reference, std::ios::binary);
    if (!in)
        return ::testing::AssertionFailure() << "reference " << reference << " is missing; the actual text is in "
                                             << left;
    std::stringstream expected;
    expected << in.rdbuf();
    if (expected.str() == actual) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "differs from reference " << reference << " (actual text in " << left
                                         << "):\n"
                                         << line_diff(expected.str(), actual);
}

}  // namespace vorel::report::testing
