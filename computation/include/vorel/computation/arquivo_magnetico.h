// The digital file of a company and period, written from the monthly computation's work table.
//
// `GravaArquivoMagnetico` is a library call: it takes the company, the working month and the
// period as values (never the shell's working context), reads the work table that a
// `CalculoProdutos` run kept (`manterTrabalho`), the company's registers and the vehicle and
// cash-register tables of the period's year at their files (`shell::AbreNoAno`, the year of
// `inicio`; earlier years' balances through `shell::OtherYearFile`), and writes the records in
// order: 01, the vehicles in stock, the opening balances, each day's invoice items and vehicle
// movements, the cash-register records, 04, 05 and the counts 06 (layouts: registros_arquivo.h).
//
// The file is written whole or not at all (ArquivoInteiro): a failed write, a cancel, a value the
// layout cannot hold (`recusas`) or a CFOP missing from the register (`cfosAusentes`, each listed
// once) leaves the target as it was.
//
//     PedidoArquivo p;  p.empresa = 12;  p.anoTrabalho = 2016;  p.mesTrabalho = 3;
//     p.inicio = date::make(2016, 3, 1);  p.fim = date::make(2016, 3, 31);
//     p.arquivo = "C:\\00121603.TXT";  p.trabalho = r.arquivoTrabalho;
//     ResultadoMagnetico a = GravaArquivoMagnetico(p, avisos);
#pragma once

#include <string>
#include <vector>

#include "vorel/computation/calculo_produtos.h"
#include "vorel/computation/registros_arquivo.h"
#include "vorel/core/date.h"

namespace vorel::computation {

struct PedidoArquivo {
    int empresa = 0;
    int anoTrabalho = 0;      // the working year: the CFOP rules of "2.3" and of the opening balances
    int mesTrabalho = 0;      // the working month: the rate of records 05
    date::Day inicio = 0, fim = 0;
    VersaoArquivo versao = VersaoArquivo::V23Port9905;
    int tipoCompl = 1;        // 1: the complementary code; any other: the CFO's own complement
    std::string arquivo;      // program path of the file
    std::string trabalho;     // the computation's work table (its file)
};

// What the window shows while the file grows.
struct ContadoresArquivo {
    long long tipo02 = 0, tipo03M = 0, tipo03A = 0, tipo03P = 0, tipo04 = 0, tipo05 = 0, tipo06 = 0;
    long long total = 0;
    std::string mensagem;        // the current step (UTF-8)
    long long registrosPasso = 0;
    std::string mensagemSaldo;   // the opening-balance step (UTF-8)
    long long produtosExaminados = 0;
};

class AvisosArquivo {
public:
    virtual ~AvisosArquivo() = default;
    // Called as records are written; false stops the run (the target stays as it was).
    virtual bool Progresso(const ContadoresArquivo& c) = 0;
};

struct ResultadoMagnetico {
    enum class Estado { Gravado, Cancelado, Recusado, Falhou };
    Estado estado = Estado::Gravado;
    std::string erro;                       // UTF-8, when it failed
    std::vector<ValorRecusado> recusas;     // values the layout cannot hold
    std::vector<CfoAusente> cfosAusentes;   // CFOPs missing from the register, once each
    ContadoresArquivo contadores;
    bool ok() const { return estado == Estado::Gravado; }
};

[[nodiscard]] ResultadoMagnetico GravaArquivoMagnetico(const PedidoArquivo& pedido, AvisosArquivo& avisos);

// The default file name: "C:\" + company (4 digits) + year (2) + month (2) + ".TXT" of `fim`.
std::string NomeArquivoMagnetico(int empresa, date::Day fim);

}  // namespace vorel::computation
