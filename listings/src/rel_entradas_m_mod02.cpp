// Text report "RelEntradasM_Mod02" ("Relatório de Entradas", second model, printing mode 2): the
// entries of "RelEntradasM" in framed columns with, per entry, the ICMS of the supplier's own
// operation (the rate by the CFOP code, as the page report's), and after the entries' last page the
// summary by CFOP code and rate of the entries listed: every page of it opens with the
// "R E S U M O  P O R  C.F.O." block, and carries no page header. Shown in the text viewer as
// "RelEntradas.txt".
#include "entradas_do_mes.h"
#include "estilo.h"
#include "vorel/core/picture.h"

namespace vorel::listings {

namespace {

using itens::Brancos;
using itens::Campo;
using itens::NumeroLargo;

std::string Valor(const Decimal& v, int largura) { return NumeroLargo("@n-", largura, v, 20, "`2"); }

class Modelo02 : public entradas::ModeloTexto {
public:
    itens::FolhaTexto::Forma Forma() const override {
        return {estilo::W("Relatório de Entradas"),
                "| CNPJ Fornecedor  |Forncedor                |      Serie|      Numero|Dt Emissao|C.F.O.|C.F.O. "
                "Compl|B. Op. Prop|   Aliq.|  Valor ICMS|",
                "|  Codigo Produto  |Produto                  | Quantidade|   Base ICMS|  Aliquota|      |Vlr "
                "I.C.M.S.|           |        |            |",
                std::string(136, '='), true};
    }

    std::vector<std::string> Linhas(itens::EntradasDoMes& e) override {
        const dictionary::EntradaVorelRec& r = e.entrada();
        resumo_.Soma(r.CFO, e.aliquotaPropria(), r.BaseICMSPropria.value(), e.icmsProprio());
        std::string um = "|" + Campo(e.ColunaCnpj(true), 18) + "|" + Campo(e.parte().nome, 25) + "|" + Brancos(7);
        um += NumeroLargo("@n", 3, Decimal(itens::LeituraNumerica(r.Serie.value()))) + " |" + Brancos(6);
        um += NumeroLargo("@n", 6, Decimal(r.Numero)) + "|" + picture::format("@D06b", r.DataEmissao) + "|";
        um += picture::format("@n6.", r.CFO) + "|" + Brancos(5) + NumeroLargo("@n", 2, Decimal(r.CFOComplementar)) +
              Brancos(5) + "|";
        um += Valor(r.BaseICMSPropria.value(), 11) + "|" + Valor(e.aliquotaPropria(), 8) + "|" +
              Valor(e.icmsProprio(), 12) + "|";
        std::string dois = "|" + NumeroLargo("@N-", 18, r.CodMercadoria.value(), 20, ".") + "|" +
                           Campo(e.produto().descricao, 25) + "|";
        dois += NumeroLargo("@n-", 11, r.Quantidade.value(), 20, "`3") + "|" + Valor(r.BaseICMS.value(), 12) + "| ";
        dois += Valor(e.produto().aliquota, 8) + " |" + Brancos(6) + "|" + Valor(r.ValorICMS.value(), 12) + "|" +
                Brancos(11) + "|" + Brancos(8) + "|" + Brancos(12) + "|";
        return {std::move(um), std::move(dois), itens::Regua()};
    }

    // The summary of the entries listed, from a page of its own.
    report::Outcome Fim(itens::FolhaTexto& folha) override {
        for (const auto& [chave, l] : resumo_.linhas()) {
            if (folha.contador() >= folha.linhasPorPagina() - 3)
                if (report::Outcome o = folha.FimDePagina(); !o.ok()) return o;
            std::vector<std::string> linhas;
            if (folha.contador() == 0)
                linhas = {itens::Centro("R E S U M O  P O R  C.F.O.", 136), itens::Regua(),
                          "|  C.F.O                  Total B. Op. Propria                        Aliquota         "
                          "                         Total Valor ICMS       |",
                          itens::Regua()};
            linhas.push_back("| " + NumeroLargo("@n", 6, chave.first) + Brancos(20) + Valor(l.base, 18) + Brancos(24) +
                             Valor(chave.second, 8) + Brancos(32) + Valor(l.icms, 18) + Brancos(7) + "|");
            linhas.push_back(itens::Regua());
            for (const std::string& x : linhas)
                if (report::Outcome o = folha.Linha(x); !o.ok()) return o;
        }
        if (folha.contador() > 0) return folha.FimDePagina();
        return {};
    }

private:
    itens::ResumoCfo resumo_;
};

}  // namespace

std::unique_ptr<entradas::ModeloTexto> entradas::ModeloTexto02() { return std::make_unique<Modelo02>(); }

void RelEntradasM_Mod02(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo, const ParteEscolhida& fornecedor) {
    itens::ExecutaTexto(ctx, "RelEntradasM_Mod02", "Verificando Arquivo de Entradas", "RelEntradas.txt",
                        [&](const shell::CodigosImpressoraRec& c, const EscreveLinha& e, const ProgressoTexto& p) {
                            return LinhasRelEntradasM(periodo, fornecedor, ModeloEntradas::Modelo02, c, e, p);
                        });
}

}  // namespace vorel::listings
