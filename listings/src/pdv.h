// What the cash-register reports share: the working month as day numbers, the dates kept as text,
// the machine register, the page frame (a box 188 mm wide from 10 mm, the footer at 270 mm) and the
// previewer step with the run's e-mail.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "estilo.h"
#include "vorel/core/date.h"
#include "vorel/fiscal/consultas_cadastro.h"
#include "vorel/shell/period.h"

namespace vorel::listings::pdv {

inline constexpr double kLargura = 188;  // mm

struct Periodo {
    date::Day inicial = 0, final = 0;
    std::uint32_t empresa = 0;
    static Periodo DoMes(const shell::EmpresaPeriodo& p);  // the company and month, first to last day
    // Whether a date kept as day-number text lies in the period (compared as numbers).
    bool Contem(std::string_view dataTexto) const;
};

// A date kept as day-number text, as dd/mm/yyyy (blank when none).
std::string Data(std::string_view dataTexto);

// Machines looked up by number in the period's company's `ICMSEletronica`; a missing one has a
// blank name and coupon kind.
class Maquinas {
public:
    explicit Maquinas(const shell::EmpresaPeriodo& periodo);
    ~Maquinas();
    Maquinas(const Maquinas&) = delete;
    Maquinas& operator=(const Maquinas&) = delete;
    struct Maquina {
        std::string nome, cupom;
    };
    Maquina Le(std::int16_t codigo);

private:
    data::FileManager fm_;
};

// A portrait A4 page: the box from 10 mm, the page header at `cabecalho` mm, details from `detalhe`.
report::ReportSetup Pagina(double cabecalho, double detalhe, const char* nome);
// The page footer: a line across the box and the footer text.
report::Band Rodape(const std::string& rodape);
// The vertical lines at both edges of the box, through a band of `altura` mils.
void Bordas(report::BandPainter& p, report::Mils altura);

// The look-ups of a report's lines (the products of the period's company).
struct Consultas {
    explicit Consultas(const shell::EmpresaPeriodo& periodo) : maquinas(periodo), produtos(periodo) {}
    Maquinas maquinas;
    fiscal::ConsultaProdutos produtos;
};

// The one design of the master, analytic and daily reports: one table of the month in key order, a
// band per record, the closing band after the last. What differs is given by a `Modelo`.
struct Modelo {
    const char* nome;        // the procedure's name: the document's and the print job's
    const char* anexo;       // the e-mail attachment
    const data::TableDesc& (*tabela)();
    const char* nomeTabela;  // named in a read error
    data::KeyName chave;
    double cabecalho, alturaCabecalho, detalhe, alturaFecho;  // mm
    std::string_view (*data)(data::FileManager&);             // the current record's DataEmissao
    void (*pintaCabecalho)(report::BandPainter&, const estilo::Empresa&);
    report::Band (*detalheDe)(data::FileManager&, Consultas&);
};

class RelatorioTabela {
public:
    RelatorioTabela(const Modelo& m, const shell::EmpresaPeriodo& periodo);
    report::Document Documento();
    void Executa(ui::ProcContext& ctx);

private:
    report::RecordLoop Laco();

    const Modelo& m_;
    Periodo periodo_;
    report::ReportController relatorio_;
    estilo::Leitura leitura_;
    Consultas consultas_;
    estilo::Empresa empresa_;
    std::string rodape_;
};

}  // namespace vorel::listings::pdv
