#include "sample_reports.h"

#include <cstdio>

namespace vorel::report::samples {

std::string money(long long cents) {
    const bool negative = cents < 0;
    unsigned long long v = negative ? -static_cast<unsigned long long>(cents) : cents;
    std::string whole = std::to_string(v / 100);
    std::string grouped;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0) grouped += '.';
        grouped += whole[i];
    }
    char frac[4];
    std::snprintf(frac, sizeof frac, "%02llu", v % 100);
    return (negative ? "-" : "") + grouped + "," + frac;
}

std::vector<Entry> entries(std::size_t count) {
    static const char* const kSuppliers[] = {"Distribuidora Aurora Ltda", "Comércio de Bebidas São João",
                                             "Atacado Pinheiral S.A.", "Irmãos Vasconcelos & Cia"};
    std::vector<Entry> out;
    for (std::size_t i = 0; i < count; ++i) {
        Entry e;
        e.cfo = i < count / 2 ? 1102 : 1403;
        char cnpj[16];
        std::snprintf(cnpj, sizeof cnpj, "%014zu", 11222333000100 + (i % 4) * 1000081);
        e.cnpj = cnpj;
        std::string name = kSuppliers[i % 4];
        // The sample texts are written in UTF-8 here; the program keeps Windows-1252.
        std::string cp;
        for (std::size_t k = 0; k < name.size(); ++k) {
            auto c = static_cast<unsigned char>(name[k]);
            if (c == 0xC3 && k + 1 < name.size()) {
                cp += static_cast<char>(static_cast<unsigned char>(name[++k]) + 0x40);
            } else {
                cp += name[k];
            }
        }
        e.supplier = cp;
        e.number = 1000 + static_cast<long>(i) * 7;
        char date[11];
        std::snprintf(date, sizeof date, "%02zu/03/2016", 1 + i % 28);
        e.date = date;
        e.base = 10000 + static_cast<long long>(i) * 12345;
        e.icms = e.base * 18 / 100;
        out.push_back(e);
    }
    return out;
}

std::vector<ResultLine> result_lines(std::size_t count) {
    std::vector<ResultLine> out;
    for (std::size_t i = 0; i < count; ++i) {
        ResultLine l;
        l.code = i == 0 ? 0 : 100 + static_cast<long>(i);
        l.name = i == 0 ? "SALDO ANTERIOR" : "PRODUTO " + std::to_string(i);
        l.final_consumer = 50000 + static_cast<long long>(i) * 1111;
        l.other_state = static_cast<long long>(i) * 250;
        l.effective_base = 60000 - static_cast<long long>(i) * 3000;
        out.push_back(l);
    }
    return out;
}

namespace {

Font times(int points, bool bold = false) { return Font{"Times New Roman", points, bold}; }

std::string cfo_text(int cfo) { return std::to_string(cfo / 1000) + "." + std::to_string(cfo % 1000 + 1000).substr(1); }

}  // namespace

RunResult run_entries_listing(const std::vector<Entry>& list, ProgressObserver* observer, Mils detail_height) {
    ReportSetup setup;
    setup.title = "RelEntradas";
    setup.paper = Paper::letter();
    setup.left = 510;
    setup.header_top = 219;
    setup.detail_top = 927;
    setup.detail_height = detail_height;
    setup.footer_top = setup.detail_top + detail_height + 50;
    setup.footer_on_last_page = false;
    ReportController report(setup);

    RunningTotal<long long> page_icms, cfo_base, cfo_icms, all_base, all_icms;
    report.reset_each_page(page_icms);
    const Entry* current = nullptr;
    int group_cfo = 0;  // the C.F.O. of the last detail printed, for the group footer

    report.set_page_header({719, [](BandPainter& p) {
                                p.box({0, 0, 7500, 719});
                                p.text({0, 40, 7500, 330}, "Relat\xF3rio de Entradas", times(20, true), Align::Center);
                                p.line(0, 400, 7500, 400);
                                p.text({156, 440, 1160, 125}, "C.N.P.J. Fornecedor", times(8, true));
                                p.text({1323, 440, 2250, 125}, "Fornecedor", times(8, true));
                                p.text({4479, 440, 700, 125}, "N\xFAmero", times(8, true));
                                p.text({5229, 440, 900, 125}, "Data Emiss\xE3o", times(8, true));
                                p.text({4479, 565, 1000, 125}, "Base de I.C.M.S.", times(8, true));
                                p.text({5900, 565, 1300, 125}, "Valor do I.C.M.S.", times(8, true), Align::Right);
                            }});
    report.set_page_footer({198, [&](BandPainter& p) {
                                p.line(0, 0, 7500, 0);
                                p.text({0, 40, 2000, 125}, "Total da p\xE1gina", times(8));
                                p.text({5900, 40, 1300, 125}, money(page_icms.value()), times(8), Align::Right);
                                p.page_text({3000, 40, 1500, 125}, "P\xE1gina {page} de {pages}", times(8),
                                            Align::Center);
                            }});
    const auto by_cfo = report.add_group(
        {{200, [&](BandPainter& p) { p.text({0, 40, 3000, 140}, "C.F.O. " + cfo_text(current->cfo), times(9, true)); }},
         {200,
          [&](BandPainter& p) {
              p.text({156, 40, 3000, 125}, "Total do C.F.O. " + cfo_text(group_cfo), times(8, true));
              p.text({4573, 40, 1250, 125}, money(cfo_base.value()), times(8, true), Align::Right);
              p.text({5900, 40, 1300, 125}, money(cfo_icms.value()), times(8, true), Align::Right);
          }},
         false,
         {&cfo_base, &cfo_icms}});
    const Band detail{240, [&](BandPainter& p) {
                          const Entry& e = *current;
                          p.text({156, 0, 1100, 125}, e.cnpj, times(8));
                          p.text({1323, 0, 2250, 125}, e.supplier, times(8));
                          p.text({4365, 0, 800, 125}, std::to_string(e.number), times(8), Align::Right);
                          p.text({5229, 0, 800, 125}, e.date, times(8));
                          p.text({4573, 115, 1250, 125}, money(e.base), times(8), Align::Right);
                          p.text({5900, 115, 1300, 125}, money(e.icms), times(8), Align::Right);
                          p.line(0, 235, 7500, 235, 5);
                      }};
    const Band closing{400, [&](BandPainter& p) {
                           p.text({156, 40, 3000, 125}, "Total geral", times(8, true));
                           p.text({4573, 40, 1250, 125}, money(all_base.value()), times(8, true), Align::Right);
                           p.text({5900, 40, 1300, 125}, money(all_icms.value()), times(8, true), Align::Right);
                           p.page_text({3000, 240, 1500, 125}, "P\xE1gina {page} de {pages}", times(8),
                                       Align::Center);
                       }};

    std::size_t at = 0;
    RecordLoop loop{list.size(),
                    [&] {
                        if (at == list.size()) return false;
                        current = &list[at++];
                        return true;
                    },
                    [&](ReportController& r) {
                        r.group_key(by_cfo, cfo_text(current->cfo));
                        r.print(detail, [&] {
                            group_cfo = current->cfo;
                            page_icms.add(current->icms);
                            cfo_base.add(current->base);
                            cfo_icms.add(current->icms);
                            all_base.add(current->base);
                            all_icms.add(current->icms);
                        });
                    },
                    [&](ReportController& r) { r.print(closing); }};
    return run_report(report, loop, observer);
}

RunResult run_result_page(const std::vector<ResultLine>& lines, Mils detail_height) {
    ReportSetup setup;
    setup.title = "PlanilhaMensalProdutos_AuxParte2";
    setup.paper = Paper::a4();
    setup.orientation = Orientation::Landscape;
    setup.left = from_mm(11);
    setup.form_top = from_mm(55);
    setup.header_top = from_mm(5);
    setup.detail_top = from_mm(56);
    setup.detail_height = detail_height;
    setup.footer_top = setup.detail_top + detail_height + from_mm(2);
    ReportController report(setup);

    RunningTotal<long long> sum10, sum13, sum15;
    const ResultLine* current = nullptr;
    const Font fixed{"Courier New", 6, false, false, false, true};
    const Mils form_height = detail_height + from_mm(1);
    report.set_form({form_height, [form_height](BandPainter& p) {
                         for (int x : {2, 110, 127, 141, 155, 170, 188, 205, 220, 243, 264})
                             p.line(from_mm(x), 0, from_mm(x), form_height);
                     }});
    report.set_page_header({from_mm(50), [](BandPainter& p) {
                                p.box({from_mm(2), 0, from_mm(262), from_mm(50)});
                                p.text({from_mm(70), from_mm(2), from_mm(190), from_mm(5)},
                                       "Controle de Estoque - Mercadorias Enquadradas na Substitui\xE7\xE3o Tribut\xE1ria",
                                       Font{"Arial", 11, true});
                                p.text({from_mm(5), from_mm(44), from_mm(20), from_mm(4)}, "C\xF3" "digo", Font{"Arial", 7});
                                p.text({from_mm(29), from_mm(44), from_mm(60), from_mm(4)}, "Descri\xE7\xE3o", Font{"Arial", 7});
                                p.text({from_mm(111), from_mm(40), from_mm(15), from_mm(4)}, "10", Font{"Arial", 7});
                                p.text({from_mm(156), from_mm(40), from_mm(15), from_mm(4)}, "13", Font{"Arial", 7});
                                p.text({from_mm(190), from_mm(40), from_mm(15), from_mm(4)}, "15", Font{"Arial", 7});
                                p.text({from_mm(221), from_mm(40), from_mm(20), from_mm(4)}, "A", Font{"Arial", 7});
                            }});
    report.set_page_footer({from_mm(8), [&](BandPainter& p) {
                                p.line(from_mm(2), 0, from_mm(264), 0);
                                p.text({from_mm(4), from_mm(1), from_mm(30), from_mm(3)}, "Soma Geral", fixed);
                                p.text({from_mm(95), from_mm(1), from_mm(15), from_mm(3)}, money(sum10.value()), fixed,
                                       Align::Right);
                                p.text({from_mm(138), from_mm(1), from_mm(15), from_mm(3)}, money(sum13.value()), fixed,
                                       Align::Right);
                                p.text({from_mm(173), from_mm(1), from_mm(15), from_mm(3)}, money(sum15.value()), fixed,
                                       Align::Right);
                                p.page_text({from_mm(247), from_mm(1), from_mm(17), from_mm(3)}, "P\xE1gina: {page}",
                                            fixed);
                            }});
    const Band detail{from_mm(3), [&](BandPainter& p) {
                          const ResultLine& l = *current;
                          p.text({from_mm(5), 0, from_mm(20), from_mm(3)}, std::to_string(l.code), fixed);
                          p.text({from_mm(29), 0, from_mm(80), from_mm(3)}, l.name, fixed);
                          p.text({from_mm(95), 0, from_mm(15), from_mm(3)}, money(l.final_consumer), fixed, Align::Right);
                          p.text({from_mm(138), 0, from_mm(15), from_mm(3)}, money(l.other_state), fixed, Align::Right);
                          p.text({from_mm(173), 0, from_mm(15), from_mm(3)}, money(l.effective_base), fixed, Align::Right);
                          p.text({from_mm(205), 0, from_mm(15), from_mm(3)}, money(l.final_consumer - l.effective_base),
                                 fixed, Align::Right);
                      }};

    std::size_t at = 0;
    RecordLoop loop{lines.size(),
                    [&] {
                        if (at == lines.size()) return false;
                        current = &lines[at++];
                        return true;
                    },
                    [&](ReportController& r) {
                        r.print(detail, [&] {
                            sum10.add(current->final_consumer);
                            sum13.add(current->other_state);
                            sum15.add(current->effective_base);
                        });
                    }};
    return run_report(report, loop);
}

}  // namespace vorel::report::samples
