// Windows "ImportaEntradaVeiculos" and "ImportaSaidaVeiculos": the vehicle entries and exits of a
// fixed-width file (layout types 18 and 19) into the year's EntradaVeiculo and SaidaVeiculo.
#include "import_window.h"
#include "vorel/core/text.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/integration/importa_veiculos.h"
#include "vorel/integration/procedures.h"
#include "vorel/ui/pictured_use.h"

namespace vorel::integration {

namespace {

namespace keys = dictionary::keys;

std::string Data(date::Day d) { return d == 0 ? std::string() : ui::FormatNumber("@d06b", d); }
std::string Texto(std::string_view cp1252) { return text::to_utf8(std::string(cp1252)); }

TextosImportacao Textos(bool saidas) {
    TextosImportacao t =
        saidas ? TextosImportacao{"ImportaSaidaVeiculos", "Importação do Lançamentos de Saídas de Veículos",
                                  "Arquivo texto saídas de veículos............",
                                  "Arquivo Importação de Saídas de Veículos", "ImportaSaidaVeiculos",
                                  "Saídas de Veículos", &dictionary::SaidaVeiculo}
               : TextosImportacao{"ImportaEntradaVeiculos", "Importação do Lançamentos de Entradas de Veículos",
                                  "Arquivo texto entradas de veículos........",
                                  "Arquivo Importação de Entradas de Veículos", "ImportaEntradaVeiculos",
                                  "Entrada de Veículos", &dictionary::EntradaVeiculo};
    t.promptLayout = saidas ? "Layout do arquivo de saida veic............" : "Layout do arquivo de entrada de veic...";
    t.pedeLayout = saidas ? "Selecione o Layout para o Arquivo de Saidas de Veiculos!!!"
                          : "Selecione o Layout para o Arquivo de Entradas Veiculos !!!";
    t.leituraOk = saidas ? "" : "Leitura efetuada com sucesso !!!";
    t.importacaoOk = saidas ? "Importado com sucesso !!!" : "Importado com Sucesso";
    t.botaoLer = "&Ler arquivos";
    t.botaoImporta = "Importa Arquivos";
    return t;
}

class ImportaVeiculos : public JanelaImportacao {
public:
    ImportaVeiculos(ui::ProcContext& ctx, ImportacaoVeiculos& run)
        : JanelaImportacao(ctx, Textos(run.saidas()), run), saidas_(run.saidas()), run_(run) {}

protected:
    int ChaveLista() const override {
        return saidas_ ? dictionary::SaidaVeiculo().key_index(keys::SAV_KEY_NUMERO)
                       : dictionary::EntradaVeiculo().key_index(keys::ENV_KEY_NUMERO);
    }
    void Colunas(ui::BrowseManager& l) override {
        if (saidas_)
            Comuns(l, run_.staging().rec<dictionary::SaidaVeiculoRec>(), "Data Saída", "Produto");
        else
            Comuns(l, run_.staging().rec<dictionary::EntradaVeiculoRec>(), "Data Entrada", "Cod Produto");
    }

private:
    template <class Rec>
    void Comuns(ui::BrowseManager& l, Rec& r, const char* data, const char* produto) {
        auto n = [](auto v) { return std::to_string(v); };
        l.AddColumn({"CNPJ", 70, 'L', [&r] { return Texto(r.CNPJforcli.clipped()); }});
        l.AddColumn({"Série", 20, 'L', [&r] { return Texto(r.Serie.clipped()); }});
        l.AddColumn({"Número", 40, 'R', [&r, n] { return n(r.Numero); }});
        if constexpr (requires { r.DataSaida; })
            l.AddColumn({data, 45, 'C', [&r] { return Data(r.DataSaida); }});
        else
            l.AddColumn({data, 45, 'C', [&r] { return Data(r.DataEntrada); }});
        l.AddColumn({"Quantidade", 50, 'R', [&r] { return r.Quantidade.value().to_fixed(3, ','); }});
        l.AddColumn({"Chassi", 80, 'L', [&r] { return Texto(r.Chassi.clipped()); }});
        l.AddColumn({produto, 60, 'R', [&r] { return r.CodProduto.value().to_fixed(0); }});
        l.AddColumn({"CFO", 25, 'R', [&r, n] { return n(r.CFO); }});
        l.AddColumn({"CFO Compl", 20, 'R', [&r, n] { return n(r.CFOComplementar); }});
        l.AddColumn({"Alíquota", 35, 'R', [&r] { return r.Aliquota.value().to_fixed(3, ','); }});
        if constexpr (requires { r.BaseSaidaConsFinal; }) {
            l.AddColumn({"Base Consumidor Final", 60, 'R', [&r] { return r.BaseSaidaConsFinal.value().to_fixed(2, ','); }});
        } else {
            l.AddColumn({"Base Retenção", 60, 'R', [&r] { return r.BaseCalcRetencao.value().to_fixed(2, ','); }});
            l.AddColumn({"Base Substituido", 60, 'R', [&r] { return r.BasepropSubstituid.value().to_fixed(2, ','); }});
        }
    }

    bool saidas_;
    ImportacaoVeiculos& run_;
};

}  // namespace

void RunImportaEntradaVeiculos(ui::ProcContext& ctx) {
    ImportacaoVeiculos run(false);
    ImportaVeiculos(ctx, run).Execute();
}

void RunImportaSaidaVeiculos(ui::ProcContext& ctx) {
    ImportacaoVeiculos run(true);
    ImportaVeiculos(ctx, run).Execute();
}

}  // namespace vorel::integration
