// What the listings' page reports share: millimetres, fonts, the working company's record, the
// company line of a page header, the reading of a table in key order with the standard warnings,
// and the previewer step of the reports that are never e-mailed.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "vorel/core/decimal.h"
#include "vorel/core/text.h"
#include "vorel/data/file_manager.h"
#include "vorel/fiscal/estilo_relatorio.h"
#include "vorel/report/band.h"
#include "vorel/report/report_controller.h"
#include "vorel/report/report_run.h"
#include "vorel/shell/period.h"
#include "vorel/ui/types.h"

namespace vorel::ui {
class ProcContext;
}

namespace vorel::listings::estilo {

// Millimetres, fonts and Windows-1252 literals are the fiscal floor's report style.
using fiscal::estilo::Fonte;
using fiscal::estilo::Mm;
using fiscal::estilo::W;
// The working company's record is the floor's too.
using fiscal::estilo::Empresa;
using fiscal::estilo::LeEmpresa;

inline report::Rect Caixa(double x, double y, double largura, double altura) {
    return {Mm(x), Mm(y), Mm(largura), Mm(altura)};
}

inline report::Font Times(int pontos, bool negrito = false) { return Fonte(pontos, negrito, "Times New Roman"); }

inline constexpr const char* kPadraoCnpj = "@p##.###.###/####-##p";

// The company line of a page header at `y` mm: "Empresa :" and the name, the CNPJ label and the
// CNPJ through its pattern; positions in mm from the band's left edge.
struct PosicoesEmpresa {
    double rotulo, nome, rotuloCnpj, cnpj;
    const char* textoCnpj = "CNPJ :";
};
void LinhaEmpresa(report::BandPainter& p, double y, const PosicoesEmpresa& x, const Empresa& e);

// A portrait A4 page: bands `esquerda` mm from the left edge, the page header at `cabecalho`, the
// detail area from `detalhe` to `rodape`, where the page footer lies.
report::ReportSetup PaginaA4(double esquerda, double cabecalho, double detalhe, double rodape, std::string titulo);

// A column of a band's row, in mils: its left edge, width and alignment.
struct Coluna {
    report::Mils x, largura;
    report::Align alinha = report::Align::Left;
};
// One row of texts at `y`, `altura` high, each in its column and in `fontes[i]` (the first font for
// the texts past the fonts given).
void Textos(report::BandPainter& p, report::Mils y, report::Mils altura, const Coluna* colunas,
            const std::vector<std::string>& textos, const std::vector<report::Font>& fontes);

// The closing band of the listings: a line across `largura` mm and the footer text, `altura` mm high.
report::Band BandaFecho(double largura, double altura, const std::string& rodape, int pontos = 8);

// A table read in the order of a key, closed at the end when this cursor opened it: a register of
// the office through `AbreArquivo`; a table given a period at the period's own file (its year's
// movements and balances, its company's registers: `shell::AbreNoAno`), standard warning 30 naming
// the table when it does not open. `Proximo` skips records that the filter refuses; a read error
// other than the end shows standard warning 35 naming the table and ends the reading as the end does.
class Leitura {
public:
    Leitura(const data::TableDesc& tabela, std::string nome);
    Leitura(const data::TableDesc& tabela, std::string nome, const shell::EmpresaPeriodo& periodo);
    ~Leitura();
    Leitura(const Leitura&) = delete;
    Leitura& operator=(const Leitura&) = delete;

    // Opens the table and sets the order (standard warning 36 when the order cannot be set).
    bool Abre(data::KeyName chave);
    void Filtro(std::function<bool()> aceita) { aceita_ = std::move(aceita); }
    bool Proximo();
    std::size_t Total();  // records of the whole table
    data::FileManager& tabela() { return fm_; }
    template <class R>
    R& rec() {
        return fm_.rec<R>();
    }

private:
    data::FileManager fm_;
    std::string nome_;
    std::optional<shell::EmpresaPeriodo> periodo_;
    std::function<bool()> aceita_;
    bool aberta_ = false;
    bool fim_ = false;
};

// One band per record of `leitura` (`detalhe` makes it from the current record) and `fecho` once
// after the last when a band was printed: an empty listing makes no page.
report::RecordLoop LacoListagem(Leitura& leitura, std::function<report::Band()> detalhe, report::Band fecho);
// The same over any reading (`proximo` moves to the next record; `fim`, when given, runs once the
// records end, a cancelled run too).
report::RecordLoop LacoListagem(std::size_t total, std::function<bool()> proximo, std::function<report::Band()> detalhe,
                                report::Band fecho, std::function<void()> fim = {});

// The product and balance listings' page: the company line at 9 mm and the lines at 14 and 19 mm
// of the page header, and the page footer (a line across and the footer text).
void CabecalhoListagem(report::BandPainter& p, const Empresa& e);
report::Band RodapeListagem(const std::string& rodape);

// The previewer step of a report e-mailed as `anexo` when its window asks: the run's own copy of the
// e-mail fields, the report viewer's settings kept.
ui::Response ExecutaComEmail(ui::ProcContext& ctx, report::ReportController& relatorio, report::RecordLoop loop,
                             const char* nome, const char* anexo);

// The previewer step of a report that names no attachment and is never e-mailed (the product,
// balance and opening-balance listings): ask-preview texts "Preview", no viewer settings kept.
ui::Response ExecutaSemEmail(ui::ProcContext& ctx, report::ReportController& relatorio, report::RecordLoop loop,
                             std::string nome);

}  // namespace vorel::listings::estilo
