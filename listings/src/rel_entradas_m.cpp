// Text report "RelEntradasM" ("Relatório de Entradas", first model, printing mode 2): the month's
// entry invoice items of `EntradaVorel` in the order of `ENT:KEY:NUMERO`, optionally of one
// supplier, three 136-column lines each (supplier and invoice, product and values, a rule) under a
// six-line page header, pages of the printer's length filled with blank lines; shown in the text
// viewer as "RelEntradas.txt". The run of both text models (`LinhasRelEntradasM`) is here too.
#include "entradas_do_mes.h"
#include "estilo.h"

namespace vorel::listings {

namespace {

using estilo::W;
using itens::Campo;

class Modelo01 : public entradas::ModeloTexto {
public:
    itens::FolhaTexto::Forma Forma() const override {
        return {W("Relatório de Entradas"),
                "| " + Campo("C.N.P.J. Fornecedor", 23) + Campo("Forncedor", 44) + Campo(W("Série"), 12) +
                    Campo(W("Número"), 15) + Campo(W("Data Emissão"), 15) + Campo("C.F.O.", 10) +
                    Campo("C.F.O. Compl.", 14) + "|",
                "| " + Campo(W("Código do Produto"), 23) + Campo("Produto", 39) + Campo("Quantidade", 17) +
                    Campo("Base de I.C.M.S.", 19) + Campo(W("Alíquota"), 17) + Campo("Valor do I.C.M.S.", 18) + "|",
                std::string(136, '='), true};
    }

    std::vector<std::string> Linhas(itens::EntradasDoMes& e) override {
        const dictionary::EntradaVorelRec& r = e.entrada();
        const itens::LinhaItem i{e.ColunaCnpj(true),
                                 e.parte().nome,
                                 itens::LeituraNumerica(r.Serie.value()),
                                 r.CFOComplementar,
                                 r.Numero,
                                 r.DataEmissao,
                                 r.CFO,
                                 r.CodMercadoria.value(),
                                 e.produto().descricao,
                                 r.Quantidade.value(),
                                 r.BaseICMS.value(),
                                 e.produto().aliquota,
                                 r.ValorICMS.value()};
        return {itens::LinhaParte(i), itens::LinhaProduto(i), itens::Regua()};
    }
};

}  // namespace

std::unique_ptr<entradas::ModeloTexto> entradas::ModeloTexto01() { return std::make_unique<Modelo01>(); }

report::Outcome LinhasRelEntradasM(const shell::EmpresaPeriodo& periodo, const ParteEscolhida& fornecedor,
                                   ModeloEntradas modelo, const shell::CodigosImpressoraRec& codigos,
                                   const EscreveLinha& escreve, const ProgressoTexto& progresso) {
    const std::unique_ptr<entradas::ModeloTexto> m =
        modelo == ModeloEntradas::Modelo02 ? entradas::ModeloTexto02() : entradas::ModeloTexto01();
    itens::FolhaTexto folha(codigos, m->Forma(), escreve);
    itens::EntradasDoMes entradas(periodo, fornecedor);
    if (report::Outcome o =
            itens::PassaItens(entradas, folha, 1, [&] { return m->Linhas(entradas); }, progresso);
        !o.ok())
        return o;
    return m->Fim(folha);
}

void RelEntradasM(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo, const ParteEscolhida& fornecedor) {
    itens::ExecutaTexto(ctx, "RelEntradasM", "Verificando Arquivo de Entradas", "RelEntradas.txt",
                        [&](const shell::CodigosImpressoraRec& c, const EscreveLinha& e, const ProgressoTexto& p) {
                            return LinhasRelEntradasM(periodo, fornecedor, ModeloEntradas::Modelo01, c, e, p);
                        });
}

}  // namespace vorel::listings
