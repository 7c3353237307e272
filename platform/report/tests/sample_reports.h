// Two sample page reports used by the report engine's tests and benchmark: an entries listing
// (portrait, grouped by CFO, page totals, "page of pages", footer left out on the last page, a
// closing band with the grand total) and a result page (A4 landscape, form rules, running sums
// in the footer).
#pragma once

#include <string>
#include <vector>

#include "vorel/report/report_run.h"

namespace vorel::report::samples {

struct Entry {
    int cfo = 0;
    std::string cnpj;      // 14 digits
    std::string supplier;  // Windows-1252
    long number = 0;
    std::string date;      // dd/mm/yyyy
    long long base = 0;    // cents
    long long icms = 0;    // cents
};

struct ResultLine {
    long code = 0;
    std::string name;
    long long final_consumer = 0;  // cents
    long long other_state = 0;
    long long effective_base = 0;
};

// Brazilian money text of an amount in cents: "-1.234,56".
std::string money(long long cents);

std::vector<Entry> entries(std::size_t count);
std::vector<ResultLine> result_lines(std::size_t count);


RunResult run_entries_listing(const std::vector<Entry>& entries, ProgressObserver* observer = nullptr,
                              Mils detail_height = 1920);
RunResult run_result_page(const std::vector<ResultLine>& lines, Mils detail_height = from_mm(30));

}  // namespace vorel::report::samples
