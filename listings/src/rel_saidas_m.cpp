// Text report "RelSaidasM" ("Relatório de Saidas", printing mode 2): the month's exit invoice items
// of `SaidaVorel` in the order of `SAI:KEY:NUMERO`, optionally of one customer, two 136-column lines
// each (customer and invoice, product and values) under a six-line page header; a page ends, 136
// "=", the footer and a form feed, once its count reaches the printer's lines less 2. A page header
// is written when a page is due, before the item's customer is tested. Shown in the text viewer as
// "RelSaidas.txt".
#include "estilo.h"
#include "saidas_do_mes.h"

namespace vorel::listings {

namespace {

using estilo::W;
using itens::Campo;

itens::FolhaTexto::Forma Forma() {
    return {W("Relatório de Saidas"),
            "| " + Campo(W("C.N.P.J. Destinatário"), 23) + Campo(W("Destinatário"), 44) + Campo(W("Série"), 12) +
                Campo(W("Número"), 15) + Campo(W("Data Emissão"), 15) + Campo("C.F.O.", 10) +
                Campo("C.F.O. Compl.", 14) + "|",
            "| " + Campo(W("Código do Produto"), 23) + Campo("Produto", 39) + Campo("Quantidade", 17) +
                Campo("Base de I.C.M.S.", 19) + Campo(W("Alíquota"), 17) + Campo("Valor do I.C.M.S.", 18) + "|",
            std::string(136, '-'), false};
}

}  // namespace

report::Outcome LinhasRelSaidasM(const shell::EmpresaPeriodo& periodo, const ParteEscolhida& cliente,
                                 const shell::CodigosImpressoraRec& codigos, const EscreveLinha& escreve,
                                 const ProgressoTexto& progresso) {
    itens::FolhaTexto folha(codigos, Forma(), escreve);
    itens::SaidasDoMes saidas(periodo, cliente);
    return itens::PassaItens(
        saidas, folha, 2,
        [&saidas] {
            const itens::LinhaItem i = saidas.Linha();
            return std::vector<std::string>{itens::LinhaParte(i), itens::LinhaProduto(i)};
        },
        progresso);
}

void RelSaidasM(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo, const ParteEscolhida& cliente) {
    itens::ExecutaTexto(ctx, "RelSaidasM", "Verificando Arquivo de Saídas", "RelSaidas.txt",
                        [&](const shell::CodigosImpressoraRec& c, const EscreveLinha& e, const ProgressoTexto& p) {
                            return LinhasRelSaidasM(periodo, cliente, c, e, p);
                        });
}

}  // namespace vorel::listings
