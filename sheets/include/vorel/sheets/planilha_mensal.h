// `PlanilhaMensalProdutos`: the monthly stock-control sheet as a page report, over the work table
// a computation run hands over, and its result pages (by product, by supplier, the new model).
//
// The sheet prints one page (or more) per product: every row of the product in the nineteen
// columns, the product's running totals in the page footer, the last page's footer only with its
// page number. It computes nothing of its own. With summary option 1 or 2 it sums the printed
// rows into a summary of its own run, by product or by supplier, and after its preview runs the
// matching result page with that summary.
//
// The filling is separate from the tables so it can be driven with rows directly:
//
//   PlanilhaMensal p(empresa, resumo, consultas);   // consultas: product, CFO column, supplier
//   for (each row in key order) p.Linha(esa);
//   report::Document d = p.Termina();
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "vorel/report/page_model.h"
#include "vorel/report/report_controller.h"
#include "vorel/sheets/resultado_texto.h"
#include "vorel/sheets/resumo_planilha.h"
#include "vorel/shell/period.h"

namespace vorel::ui {
class ProcContext;
}
namespace vorel::dictionary {
struct EntradaSaidaVorelRec;
}

namespace vorel::sheets {

// The company lines of the headers (Windows-1252), the month and the footer text.
struct DadosEmpresa {
    std::string nome;       // code, " - ", name, " ( ", city, " ) "
    std::string endereco;   // street, ", ", number, " ", complement, " - ", district
    std::string inscricao;
    bool mostraEndereco = false;  // office parameter Endereco_Planilha = 1
    bool enderecoFornecedor = false;  // the address line names the filtered supplier ("Fornecedor: ")
    int mes = 0, ano = 0;
    std::string rodape;
};
// From the company's record, the office parameters and the period.
DadosEmpresa LeDadosEmpresa(const shell::EmpresaPeriodo& periodo);

struct ProdutoPlanilha {
    std::string descricao;  // PRO:Produtos, clipped ("" when the product is missing)
    std::string medida;
    Decimal aliquota;
};

// What the sheet looks up per row.
struct Consultas {
    std::function<ProdutoPlanilha(const Decimal& codigo)> produto;
    // The CFO register's print column of the code and complement; nullopt when not registered.
    std::function<std::optional<std::uint8_t>(std::uint16_t cfo, std::uint8_t complemento)> coluna;
    // The product's supplier (0 none); used with summary option 2.
    std::function<std::uint32_t(const Decimal& produto)> fornecedor;
};

inline constexpr std::uint8_t kSemResumo = 0, kResumoProdutos = 1, kResumoFornecedores = 2;

class PlanilhaMensal {
public:
    PlanilhaMensal(DadosEmpresa empresa, std::uint8_t resumo, Consultas consultas);
    ~PlanilhaMensal();
    PlanilhaMensal(const PlanilhaMensal&) = delete;
    PlanilhaMensal& operator=(const PlanilhaMensal&) = delete;

    report::ReportController& Relatorio();
    // Prints one work-table row (in key order).
    void Linha(const dictionary::EntradaSaidaVorelRec& esa);
    // The management sheet prints lines it values itself (vorel/sheets/valor_medio.h): unit values
    // with 3 places, the entry number read as a number.
    void Gestao();
    // A new product of the management sheet: a new page (the first product excepted).
    void ProdutoGestao(const Decimal& produto);
    // Prints a valued line (nullptr: the totals moved without a line); the footer shows `totais`, so
    // a page that fills up shows the totals with the row that opens the next page.
    void LinhaGestao(const LinhaPlanilha* linha, const TotaisPlanilha& totais);
    // Before the last page ends: its footer shows only the page number.
    void UltimaPagina();
    report::Document Termina();

    const ResumoPlanilha& Resumo() const;
    // CFO code and complement of the rows whose CFO is unknown, each once.
    const std::set<std::pair<std::uint16_t, std::uint8_t>>& CfosDesconhecidos() const;

private:
    struct Estado;
    std::unique_ptr<Estado> e_;
};

enum class MembroResultado { Produtos, Fornecedor, ModeloNovo };

// The result page as a report run: `Imprime` prints a line per summary entry.
class RelatorioResultado {
public:
    RelatorioResultado(MembroResultado membro, const ResumoPlanilha& resumo, const DadosEmpresa& empresa,
                       NomeDoFornecedor fornecedor);
    ~RelatorioResultado();
    RelatorioResultado(const RelatorioResultado&) = delete;
    RelatorioResultado& operator=(const RelatorioResultado&) = delete;
    report::ReportController& Relatorio();
    void Imprime();

private:
    struct Estado;
    std::unique_ptr<Estado> e_;
};

// The result page's pages; `anteriores` (the caller's pages) come first when given.
report::Document DocumentoResultado(MembroResultado membro, const ResumoPlanilha& resumo, const DadosEmpresa& empresa,
                                    const NomeDoFornecedor& fornecedor, const report::Document* anteriores = nullptr);

// The procedure: reads this thread's hand-over (vorel/shell/work_table_handover.h); nothing without one.
void PlanilhaMensalProdutos(ui::ProcContext& ctx);

}  // namespace vorel::sheets
