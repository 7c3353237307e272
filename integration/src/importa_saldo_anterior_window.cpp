// Window "ImportaSaldoAnterior": "Importação do Lançamento Saldo Anterior", the opening balances of
// a fixed-width file (layout type 38) as entries numbered 0 in the year's EntradaVorel.
#include "import_window.h"
#include "vorel/core/text.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/integration/importa_saldo_anterior.h"
#include "vorel/integration/procedures.h"
#include "vorel/ui/pictured_use.h"

namespace vorel::integration {

namespace {

class ImportaSaldoAnterior : public JanelaImportacao {
public:
    ImportaSaldoAnterior(ui::ProcContext& ctx, ImportacaoSaldoAnterior& run)
        : JanelaImportacao(ctx, Textos(), run), r_(run.staging().rec<dictionary::EntradaVorelRec>()) {}

protected:
    int ChaveLista() const override { return dictionary::EntradaVorel().key_index(dictionary::keys::ENT_KEY_NUMERO); }
    void Colunas(ui::BrowseManager& l) override {
        l.AddColumn({"Data Emissao", 45, 'C', [this] { return r_.DataEmissao == 0 ? std::string() : ui::FormatNumber("@d06b", r_.DataEmissao); }});
        l.AddColumn({"Quantidade", 60, 'R', [this] { return r_.Quantidade.value().to_fixed(3, ','); }});
        l.AddColumn({"Base ICMS", 60, 'R', [this] { return r_.BaseICMS.value().to_fixed(2, ','); }});
        l.AddColumn({"Base ICMS Propria", 60, 'R', [this] { return r_.BaseICMSPropria.value().to_fixed(2, ','); }});
        l.AddColumn({"CFO", 25, 'R', [this] { return std::to_string(r_.CFO); }});
        l.AddColumn({"Complemento", 25, 'R', [this] { return std::to_string(r_.Complemento); }});
        l.AddColumn({"Cod Mercadoria", 60, 'R', [this] { return r_.CodMercadoria.value().to_fixed(0); }});
    }

private:
    static TextosImportacao Textos() {
        TextosImportacao t{"ImportaSaldoAnterior", "Importação do Lançamento Saldo Anterior",
                           "Arquivo texto de Saldos Anteriores........", "Arquivo Importação de Saldos Anteriores",
                           "ImportaSaldoAnterior", "Saldos Anterior", &dictionary::EntradaVorel};
        t.promptLayout = "Layout do Saldos Anteriores..................";
        t.importacaoOk = "";
        t.apelidoPrimeiro = true;
        return t;
    }
    dictionary::EntradaVorelRec& r_;
};

}  // namespace

void RunImportaSaldoAnterior(ui::ProcContext& ctx) {
    ImportacaoSaldoAnterior run;
    ImportaSaldoAnterior(ctx, run).Execute();
}

}  // namespace vorel::integration
