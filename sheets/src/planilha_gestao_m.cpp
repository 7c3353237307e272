// `PlanilhaMensalProdutosM_Aux`: the management text sheet written into a temporary text file under
// the window "Imprimindo Planilha Mensal de Produtos", then shown in the text viewer.
#include "avisos_gestao.h"
#include "tabelas_gestao.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/sheets/planilha_gestao.h"
#include "vorel/sheets/planilha_gestao_texto.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/text_report.h"
#include "vorel/shell/text_viewer.h"
#include "vorel/ui/progress_window.h"

namespace vorel::sheets {

void PlanilhaMensalProdutosM_Aux(ui::ProcContext& ctx, const TrabalhoGestao& trabalho) {
    const OpcoesLidasGestao op = LeOpcoesGestao();
    shell::ArquivoTexto arquivo(shell::CodigosImpressora.Get());
    if (report::Outcome o = arquivo.AbreTemporario(); !o.ok()) {
        (void)ui::Message(o.error, "Atenção!!!", ui::Icon::Exclamation);
        return;
    }
    if (shell::GLO_CODIMPRESSORA.Get() == 0)
        (void)ui::Message("Selecione uma impressora para imprimir", "Impressora não selecionada", ui::Icon::Information);
    data::FileManager esa(dictionary::EntradaSaidaVorel());
    if (!esa.open_path(trabalho.arquivo).ok()) {
        (void)ui::Message(text::to_utf8(data::last_error().text) + " (EntradaSaidaVorel)", "Vorel",
                          ui::Icon::Exclamation);
        arquivo.Apaga();
        return;
    }
    const DadosEmpresa empresa = LeDadosEmpresa(trabalho.periodo);
    TabelasGestao tabelas(FormaPlanilha::Texto, trabalho.periodo);
    CabecalhoTexto cab;
    cab.empresa = empresa.nome;
    cab.inscricao = empresa.inscricao;
    cab.endereco = empresa.endereco;
    cab.mostraEndereco = empresa.mostraEndereco;
    cab.mes = empresa.mes;
    cab.ano = empresa.ano;
    cab.filtroFornecedor = !op.cnpj.empty();
    if (cab.filtroFornecedor)
        if (std::optional<FornecedorLinha> f = tabelas.FornecedorPorCnpj(op.cnpj)) cab.fornecedor = f->nome;

    OpcoesGestao og;
    og.forma = FormaPlanilha::Texto;
    og.descSaldo = op.descSaldo;
    og.saldoNegativo = op.saldoNegativo;
    og.aberturas = trabalho.aberturas;
    og.umProduto = !trabalho.produto.is_zero();
    ValorMedioGestao valor(og, tabelas.Consultas());
    std::string erro;
    TextoPlanilhaGestao texto(
        valor, cab, arquivo.codigos(), empresa.rodape,
        [&](std::string_view l) { return arquivo.GravaLinhaTexto(l); },
        [&](const Decimal& codigo) { return tabelas.Produto(codigo); }, op.saldoNegativo);

    const std::int64_t total = esa.records();
    {
        ui::ProgressWindow janela(ctx, "Imprimindo Planilha Mensal de Produtos");
        report::Outcome o = report::Outcome::success();
        if (og.umProduto) o = texto.Abertura(trabalho.produto);
        auto& linha = esa.rec<dictionary::EntradaSaidaVorelRec>();
        long long feitos = 0;
        bool lendo = o.ok() && LeSoCamposDaGestao(esa).ok() && esa.set(dictionary::keys::ESA_KEY_DATA_ENTSAI_NUM_AUX).ok();
        while (lendo && o.ok()) {
            data::Result r = esa.next();
            if (!r.ok()) {
                if (r != data::kRecordNotAvailable) erro = text::to_utf8(data::last_error().text) + " (EntradaSaidaVorel)";
                break;
            }
            const Decimal produto = linha.CODMERCADORIA.value();
            (void)tabelas.Produto(produto);  // the rate the opening is read with
            const std::uint32_t fornecedor =
                tabelas.FornecedorDaLinha(produto, linha.LOTE.value(), linha.CNPJFORPROD.value(), op.cnpj);
            o = texto.Linha(linha, tabelas.TipoLote(linha.LOTE.value(), produto), fornecedor);
            // "&Cancela" asks to close; the sheet is written to its end first.
            ++feitos;
            (void)janela.Update(feitos, total, std::to_string(feitos));
        }
        if (o.ok()) o = texto.Fecha(NomeFornecedorAtivo, op.resulPlanilha != 0);
        if (!o.ok() && erro.empty()) erro = o.error;
    }
    (void)esa.close();
    AvisosGestao avisos;
    avisos.cfos = valor.CfosDesconhecidos();
    avisos.Mostra();
    if (!erro.empty()) {
        (void)ui::Message(erro, "Atenção!!!", ui::Icon::Exclamation);
        arquivo.Apaga();
        return;
    }
    if (report::Outcome o = arquivo.Fecha(); !o.ok()) {
        (void)ui::Message(o.error, "Atenção!!!", ui::Icon::Exclamation);
        arquivo.Apaga();
        return;
    }
    shell::Visualiza_Relatorio_Matricial(ctx, arquivo.nome(), arquivo.codigos(), "PlanilhaMensalProdutosM.txt");
    arquivo.Apaga();
}

}  // namespace vorel::sheets
