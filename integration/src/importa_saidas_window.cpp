// Window "ImportaSaidasNota": "Importação do Lançamentos de Saídas por Notas Fiscais", the exit
// invoice items of a fixed-width file (layout type 17) into the year's SaidaVorel.
#include "import_window.h"
#include "vorel/core/text.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/integration/importa_saidas.h"
#include "vorel/integration/procedures.h"
#include "vorel/ui/pictured_use.h"

namespace vorel::integration {

namespace {

using dictionary::SaidaVorelRec;

class ImportaSaidasNota : public JanelaImportacao {
public:
    ImportaSaidasNota(ui::ProcContext& ctx, ImportacaoSaidas& run)
        : JanelaImportacao(ctx, Textos(), run),
          rec_(run.staging().rec<SaidaVorelRec>()) {}

protected:
    int ChaveLista() const override { return dictionary::SaidaVorel().key_index(dictionary::keys::SAI_KEY_NUMERO); }

    void Colunas(ui::BrowseManager& l) override {
        l.AddColumn({"Número", 40, 'R', [this] { return std::to_string(rec_.Numero); }});
        l.AddColumn({"Série", 20, 'L', [this] { return text::to_utf8(rec_.Serie.clipped()); }});
        l.AddColumn({"Data Saída", 45, 'C', [this] { return Data(rec_.DataSaida); }});
        l.AddColumn({"C.N.P.J.", 80, 'L', [this] { return ui::FormatText("@p##.###.###/####-##p", std::string(rec_.CNPJ.clipped())); }});
        l.AddColumn({"UF", 15, 'L', [this] { return text::to_utf8(rec_.Estado.clipped()); }});
        l.AddColumn({"Quantidade", 60, 'R', [this] { return rec_.Quantidade.value().to_fixed(3, ','); }});
        l.AddColumn({"Produto", 60, 'R', [this] { return rec_.CodMercadoria.value().to_fixed(0); }});
        l.AddColumn({"Base Cálculo", 60, 'R', [this] { return rec_.BaseCalculo.value().to_fixed(2, ','); }});
        l.AddColumn({"CFO", 25, 'R', [this] { return std::to_string(rec_.CFO); }});
        l.AddColumn({"CFO Complementar", 30, 'L', [this] { return text::to_utf8(rec_.CFOComplementar.clipped()); }});
        l.AddColumn({"Alíquota", 35, 'R', [this] { return rec_.Alicota.value().to_fixed(3, ','); }});
        l.AddColumn({"ICMS", 50, 'R', [this] { return rec_.ICMS.value().to_fixed(2, ','); }});
    }

private:
    static TextosImportacao Textos() {
        TextosImportacao t{"ImportaSaidasNota", "Importação do Lançamentos de Saídas por Notas Fiscais",
                           "Arquivo texto de NF saídas.....................",
                           "Arquivo Importação de Notas Fiscais de Saídas", "ImportaSaidas",
                           "Notas Fiscais de Saídas", &dictionary::SaidaVorel};
        t.aguardeAoGravar = true;
        return t;
    }
    static std::string Data(date::Day d) { return d == 0 ? std::string() : ui::FormatNumber("@d06b", d); }
    SaidaVorelRec& rec_;
};

}  // namespace

void RunImportaSaidasNota(ui::ProcContext& ctx) {
    ImportacaoSaidas run;
    ImportaSaidasNota(ctx, run).Execute();
}

}  // namespace vorel::integration
