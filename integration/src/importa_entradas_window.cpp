// Window "ImportaEntradasNota": "Importação do Lançamentos de Entradas por Notas Fiscais", the entry
// invoice items of a fixed-width file (layout type 16) into the year's EntradaVorel.
#include "import_window.h"
#include "vorel/core/text.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/integration/importa_entradas.h"
#include "vorel/integration/procedures.h"
#include "vorel/ui/pictured_use.h"

namespace vorel::integration {

namespace {

using dictionary::EntradaVorelRec;

class ImportaEntradasNota : public JanelaImportacao {
public:
    ImportaEntradasNota(ui::ProcContext& ctx, ImportacaoEntradas& run)
        : JanelaImportacao(ctx,
                           {"ImportaEntradasNota", "Importação do Lançamentos de Entradas por Notas Fiscais",
                            "Arquivo texto de NF entrada...................",
                            "Arquivo Importação de Notas Fiscais de Entradas", "ImportaEntradas",
                            "Notas Fiscais de Entrada", &dictionary::EntradaVorel},
                           run),
          rec_(run.staging().rec<EntradaVorelRec>()) {}

protected:
    int ChaveLista() const override { return dictionary::EntradaVorel().key_index(dictionary::keys::ENT_KEY_NUMERO); }

    void Colunas(ui::BrowseManager& l) override {
        l.AddColumn({"Número", 40, 'R', [this] { return std::to_string(rec_.Numero); }});
        l.AddColumn({"Série", 20, 'L', [this] { return text::to_utf8(rec_.Serie.clipped()); }});
        l.AddColumn({"Data Emissão", 45, 'C', [this] { return Data(rec_.DataEmissao); }});
        l.AddColumn({"C.N.P.J.", 80, 'L', [this] { return ui::FormatText("@p##.###.###/####-##p", std::string(rec_.Cnpj.clipped())); }});
        l.AddColumn({"UF", 15, 'L', [this] { return text::to_utf8(rec_.Estado.clipped()); }});
        l.AddColumn({"Quantidade", 60, 'R', [this] { return rec_.Quantidade.value().to_fixed(3, ','); }});
        l.AddColumn({"Produto", 60, 'R', [this] { return rec_.CodMercadoria.value().to_fixed(0); }});
        l.AddColumn({"Base ICMS", 60, 'R', [this] { return rec_.BaseICMS.value().to_fixed(2, ','); }});
        l.AddColumn({"CFO", 25, 'R', [this] { return std::to_string(rec_.CFO); }});
        l.AddColumn({"CFO Compl.", 30, 'R', [this] { return std::to_string(rec_.CFOComplementar); }});
        l.AddColumn({"Alíquota", 35, 'R', [this] { return rec_.Aliquota.value().to_fixed(3, ','); }});
        l.AddColumn({"Valor ICMS", 50, 'R', [this] { return rec_.ValorICMS.value().to_fixed(2, ','); }});
        l.AddColumn({"Base ICMSP ropria", 60, 'R', [this] { return rec_.BaseICMSPropria.value().to_fixed(2, ','); }});
    }

private:
    static std::string Data(date::Day d) { return d == 0 ? std::string() : ui::FormatNumber("@d06b", d); }
    EntradaVorelRec& rec_;
};

}  // namespace

void RunImportaEntradasNota(ui::ProcContext& ctx) {
    ImportacaoEntradas run;
    ImportaEntradasNota(ctx, run).Execute();
}

}  // namespace vorel::integration
