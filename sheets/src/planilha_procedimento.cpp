// The procedure "PlanilhaMensalProdutos": the tables behind the sheet, the run under the
// previewer step, and the result page of the summary option.
#include <mutex>

#include "pagina.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/fiscal/consultas_cadastro.h"
#include "vorel/fiscal/linha_planilha.h"
#include "vorel/report/report_run.h"
#include "vorel/sheets/planilha_gestao.h"
#include "vorel/sheets/planilha_mensal.h"
#include "vorel/sheets/procedures.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/product_rate.h"
#include "vorel/shell/report_step.h"
#include "vorel/shell/text_report.h"
#include "vorel/shell/work_table_handover.h"
#include "vorel/shell/office_settings.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/runtime.h"

namespace vorel::sheets {

namespace {

namespace keys = dictionary::keys;
using pagina::W;

// A table opened for the run and closed when it ends.
struct Aberta {
    data::FileManager f;
    bool aberta = false;
    explicit Aberta(const data::TableDesc& t) : f(t) { aberta = f.open().ok(); }
    ~Aberta() {
        if (aberta) (void)f.close();
    }
};

std::string Clip(std::string_view s) { return std::string(text::clip(s)); }

shell::OpcoesRelatorio Opcoes(const char* nome) {
    shell::OpcoesRelatorio o;
    o.nome = nome;
    o.gravaRViewer = true;
    o.anexo = pagina::kAnexo;
    o.email = shell::CapturaCamposEmail();
    return o;
}

void Resultado(ui::ProcContext& ctx, MembroResultado membro, const ResumoPlanilha& resumo, const DadosEmpresa& empresa) {
    RelatorioResultado r(membro, resumo, empresa, NomeFornecedorAtivo);
    bool feito = false;
    report::RecordLoop loop;
    loop.total = 1;
    loop.next = [&] { return !std::exchange(feito, true); };
    loop.on_record = [&](report::ReportController&) { r.Imprime(); };
    (void)shell::ExecutaRelatorio(ctx, r.Relatorio(), std::move(loop),
                                  Opcoes(membro == MembroResultado::Produtos ? "PlanilhaMensalProdutos_AuxParte2"
                                                                             : "PlanilhaMensalProdutos_AuxParte2_Fornecedor"));
}

}  // namespace

DadosEmpresa LeDadosEmpresa(const shell::EmpresaPeriodo& periodo) {
    DadosEmpresa d;
    d.mes = periodo.mes;
    d.ano = periodo.ano;
    d.rodape = shell::RodapeRelatorio();
    const std::uint32_t codigo = periodo.empresa;
    Aberta emp(dictionary::Empresa());
    auto& e = emp.f.rec<dictionary::EmpresaRec>();
    emp.f.clear_record();
    e.Codigo = static_cast<std::uint16_t>(codigo);
    if (emp.aberta) (void)emp.f.get(keys::EMP_KEY_CODIGO);  // not found: the fields stay blank
    d.nome = std::to_string(codigo) + " - " + Clip(e.RAZAOSOCIAL.value()) + " ( " + Clip(e.CIDADE.value()) + " ) ";
    d.endereco = Clip(e.ENDERECO.value()) + ", " + std::to_string(e.NUMERO) + " " + Clip(e.COMPLEMENTO.value()) +
                 " - " + Clip(e.BAIRRO.value());
    d.inscricao = Clip(e.INSCESTADUAL.value());
    d.mostraEndereco = shell::LeOpcoesEscritorio(shell::PastaRaiz.Get()).enderecoPlanilha == 1;
    return d;
}

void PlanilhaMensalProdutos(ui::ProcContext& ctx) {
    const shell::TrabalhoEntregue* entregue = shell::TrabalhoEmEntrega();
    if (!entregue) return;
    const std::uint8_t opcao = entregue->resumo;
    data::FileManager esa(dictionary::EntradaSaidaVorel());
    if (data::Result r = esa.open_path(entregue->arquivo); !r.ok()) {
        ui::Message(text::to_utf8(data::last_error().text) + " (EntradaSaidaVorel)", "Vorel", ui::Icon::Exclamation);
        return;
    }
    Aberta produtos(dictionary::Produtos());
    Aberta cfo(dictionary::CFO());
    FornecedorDoProduto fornecedores;
    const DadosEmpresa empresa = LeDadosEmpresa(entregue->periodo);
    const date::Day inicioMes = date::make(empresa.ano, empresa.mes, 1);

    Consultas consultas;
    consultas.produto = [&](const Decimal& codigo) {
        ProdutoPlanilha p;
        auto& pro = produtos.f.rec<dictionary::ProdutosRec>();
        produtos.f.clear_record();
        pro.Codigo = codigo;
        if (produtos.aberta && produtos.f.get(keys::PRO_KEY_CODIGO).ok()) {
            p.descricao = Clip(pro.Produtos.value());
            p.medida = Clip(pro.Medida.value());
        }
        date::Day dia = inicioMes;
        p.aliquota = shell::AliquotaProdutoData(codigo, dia, 0);
        return p;
    };
    consultas.coluna = [&](std::uint16_t codigo, std::uint8_t complemento) -> std::optional<std::uint8_t> {
        if (!cfo.aberta) return std::nullopt;
        return fiscal::ColunaDoCfo(cfo.f, codigo, complemento, fiscal::EstadoDoCfo::SemEstado);
    };
    consultas.fornecedor = [&](const Decimal& produto) {
        std::uint32_t codigo = 0;
        if (data::Result r = fornecedores.Fornecedor(produto, codigo); !r.ok()) codigo = 0;
        return codigo;
    };

    PlanilhaMensal planilha(empresa, opcao, std::move(consultas));
    auto& linha = esa.rec<dictionary::EntradaSaidaVorelRec>();
    bool primeiro = true;
    report::RecordLoop loop;
    const std::int64_t total = esa.records();
    loop.total = total > 0 ? static_cast<std::size_t>(total) : 0;
    loop.next = [&] {
        if (primeiro) {
            primeiro = false;
            (void)esa.send("QUICKSCAN=on");
            (void)fiscal::LeSoCamposDaLinha(esa);  // the sheet prints nothing else of a row
            if (data::Result r = esa.set(keys::ESA_KEY_DATA_ENTSAI_NUM_AUX); !r.ok()) return false;
        }
        data::Result r = esa.next();
        if (r.ok()) return true;
        if (r != data::kRecordNotAvailable)
            ui::Message("Record Retrieval Error (EntradaSaidaVorel)", "Vorel", ui::Icon::Exclamation);
        return false;
    };
    loop.on_record = [&](report::ReportController&) { planilha.Linha(linha); };
    loop.on_end = [&](report::ReportController&) { planilha.UltimaPagina(); };
    shell::OpcoesRelatorio o = Opcoes("PlanilhaMensalProdutos");
    (void)shell::ExecutaRelatorio(ctx, planilha.Relatorio(), std::move(loop), o);
    (void)esa.send("QUICKSCAN=off");
    (void)esa.close();
    // Rows of an unregistered CFO printed blank and stayed out of the totals: each CFO named once.
    if (!planilha.CfosDesconhecidos().empty()) {
        std::string lista;
        for (const auto& [codigo, complemento] : planilha.CfosDesconhecidos())
            lista += "\n" + std::to_string(codigo) + " - " + std::to_string(complemento);
        (void)ui::Message("Atenção! Identificamos inconsistências nos CFO abaixo ou eles não existem. Favor verifica a "
                          "tabela de CFO." + lista,
                          "Alerta!", ui::Icon::Exclamation);
    }

    if (opcao == kResumoProdutos) Resultado(ctx, MembroResultado::Produtos, planilha.Resumo(), empresa);
    else if (opcao == kResumoFornecedores) Resultado(ctx, MembroResultado::Fornecedor, planilha.Resumo(), empresa);
}

void AddSheetProcedures() {
    static std::once_flag once;
    std::call_once(once, [] {
        ui::ProcedureRegistry::Add("PlanilhaMensalProdutos", PlanilhaMensalProdutos);
        ui::ProcedureRegistry::Add("PlanilhaProdutos_Aux", PlanilhaProdutos_Aux);
    });
}

}  // namespace vorel::sheets
