// `PlanilhaMensalProdutos_Aux`: the management page sheet over the run's work table, valued row by
// row, its pages handed to the result page so that one preview shows both.
#include "vorel/sheets/planilha_gestao.h"

#include <set>

#include "avisos_gestao.h"
#include "pagina.h"
#include "tabelas_gestao.h"
#include "vorel/core/picture.h"
#include "vorel/core/settings_file.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/report/report_run.h"
#include "vorel/sheets/planilha_mensal.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/office_settings.h"
#include "vorel/shell/report_step.h"
#include "vorel/shell/text_report.h"
#include "vorel/ui/message_box.h"

namespace vorel::sheets {

namespace {

namespace keys = dictionary::keys;

// The options window's choices in the user's settings: a section each, under one key.
constexpr std::string_view kArquivoOpcoes = "Vorel.ini";
constexpr std::string_view kCnpj = "CNPJ", kDescSaldo = "DescSaldo", kSaldoNegativo = "SaldoNegativo";
constexpr std::string_view kChave = "Caminho";

int Inteiro(std::string_view s) {
    s = text::trim(s);
    int n = 0;
    for (char c : s) {
        if (c < '0' || c > '9') break;
        n = n * 10 + (c - '0');
    }
    return n;
}

}  // namespace

OpcoesLidasGestao LeOpcoesGestao() {
    OpcoesLidasGestao o;
    settings::SettingsFile vorel(kArquivoOpcoes);
    o.descSaldo = static_cast<std::uint8_t>(Inteiro(vorel.read_text(kDescSaldo, kChave, "0")));
    o.saldoNegativo = Inteiro(vorel.read_text(kSaldoNegativo, kChave, "0")) == 1;
    o.cnpj = std::string(text::clip(vorel.read_text(kCnpj, kChave, "")));
    o.resulPlanilha = static_cast<std::uint8_t>(shell::LeOpcoesEscritorio(shell::PastaRaiz.Get()).resulPlanilha);
    return o;
}

std::error_code GravaOpcoesGestao(const OpcoesLidasGestao& o) {
    return settings::SettingsFile(kArquivoOpcoes).update([&](settings::Content& c) {
        c.set(kCnpj, kChave, o.cnpj);
        c.set(kDescSaldo, kChave, std::to_string(o.descSaldo));
        c.set(kSaldoNegativo, kChave, o.saldoNegativo ? "1" : "0");
    });
}

void PlanilhaMensalProdutos_Aux(ui::ProcContext& ctx, const TrabalhoGestao& trabalho) {
    const OpcoesLidasGestao op = LeOpcoesGestao();
    data::FileManager esa(dictionary::EntradaSaidaVorel());
    if (data::Result r = esa.open_path(trabalho.arquivo); !r.ok()) {
        (void)ui::Message(text::to_utf8(data::last_error().text) + " (EntradaSaidaVorel)", "Vorel",
                          ui::Icon::Exclamation);
        return;
    }
    const std::int64_t total = esa.records();
    if (total <= 0) {
        (void)esa.close();
        return;
    }
    DadosEmpresa empresa = LeDadosEmpresa(trabalho.periodo);
    TabelasGestao tabelas(FormaPlanilha::Pagina, trabalho.periodo);
    if (!op.cnpj.empty()) {
        if (std::optional<FornecedorLinha> f = tabelas.FornecedorPorCnpj(op.cnpj)) {
            empresa.endereco = text::sub(f->nome, 1, 70);
            empresa.mostraEndereco = true;
            empresa.enderecoFornecedor = true;
        }
    }
    OpcoesGestao og;
    og.forma = FormaPlanilha::Pagina;
    og.descSaldo = op.descSaldo;
    og.saldoNegativo = op.saldoNegativo;
    og.aberturas = trabalho.aberturas;
    ValorMedioGestao valor(og, tabelas.Consultas());
    Consultas consultas;
    consultas.produto = [&](const Decimal& codigo) { return tabelas.Produto(codigo); };
    PlanilhaMensal folha(empresa, kSemResumo, std::move(consultas));
    folha.Gestao();
    const MembroResultado membro = op.resulPlanilha != 0 ? MembroResultado::ModeloNovo : MembroResultado::Produtos;
    RelatorioResultado resultado(membro, valor.Resumo(), empresa, NomeFornecedorAtivo);

    AvisosGestao avisos;
    auto& linha = esa.rec<dictionary::EntradaSaidaVorelRec>();
    bool primeiro = true, comecou = false;
    report::Document paginas;
    report::RecordLoop loop;
    loop.total = static_cast<std::size_t>(total);
    loop.next = [&] {
        if (primeiro) {
            primeiro = false;
            (void)esa.send("QUICKSCAN=on");
            if (data::Result r = LeSoCamposDaGestao(esa); !r.ok()) return false;
            if (data::Result r = esa.set(keys::ESA_KEY_DATA_ENTSAI_NUM_AUX); !r.ok()) return false;
        }
        data::Result r = esa.next();
        if (r.ok()) return true;
        if (r != data::kRecordNotAvailable) avisos.leitura = true;
        return false;
    };
    loop.on_record = [&](report::ReportController&) {
        const Decimal produto = linha.CODMERCADORIA.value();
        if (!comecou || valor.NovoProduto(produto)) folha.ProdutoGestao(produto);
        comecou = true;
        std::uint32_t fornecedor = 0;
        std::string nome;
        if (!linha.CNPJFORPROD.clipped().empty()) {
            if (std::optional<FornecedorLinha> f = tabelas.FornecedorPorCnpj(linha.CNPJFORPROD.value())) {
                fornecedor = f->codigo;
                nome = f->nome;
            } else {
                avisos.fornecedores.insert(std::string(linha.CNPJFORPROD.clipped()));
            }
        }
        const std::uint8_t lote = tabelas.TipoLote(linha.LOTE.value(), produto);
        if (lote == kLoteAusente && !linha.LOTE.clipped().empty())
            avisos.lotes.insert(std::string(linha.LOTE.clipped()));
        const std::vector<LinhaPlanilha> linhas = valor.Linha(linha, lote, fornecedor, nome);
        for (const LinhaPlanilha& l : linhas) folha.LinhaGestao(&l, valor.Totais());
        if (linhas.empty()) folha.LinhaGestao(nullptr, valor.Totais());
    };
    loop.on_end = [&](report::ReportController&) {
        paginas = folha.Termina();
        resultado.Imprime();
    };
    shell::OpcoesRelatorio o;
    o.nome = membro == MembroResultado::ModeloNovo ? "PlanilhaMensalProdutos_AuxParte2_ModeloNovo"
                                                   : "PlanilhaMensalProdutos_AuxParte2";
    o.gravaRViewer = true;
    o.anexo = pagina::kAnexo;
    o.email = shell::CapturaCamposEmail();
    o.anteriores = &paginas;
    (void)shell::ExecutaRelatorio(ctx, resultado.Relatorio(), std::move(loop), o);
    (void)esa.send("QUICKSCAN=off");
    (void)esa.close();
    avisos.cfos = valor.CfosDesconhecidos();
    avisos.Mostra();
}

}  // namespace vorel::sheets
