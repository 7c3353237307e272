// PlanilhaVeiculoExcel: the vehicle sheet of one rate as a `;` file: its heading, one line per
// work row in mirror-date order, the column totals and the netted balances 21 to 23.
#include "vorel/computation/planilha_veiculos_texto.h"
#include "vorel/core/paths.h"
#include "vorel/core/picture.h"
#include "vorel/core/text.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/text_report.h"

namespace vorel::computation {

namespace keys = dictionary::keys;
using data::FileManager;

namespace {

std::string W(std::string_view utf8) { return text::from_utf8(utf8); }

std::vector<std::string> Cabecalho(const CabecalhoVeiculos& emp, int pagina) {
    const std::string dashes = ";" + std::string(22, '-') + ";;;da Operação;da Retenção;" + std::string(22, '-') +
                               ";;;da Retenção;" + std::string(31, '-') + ";;Estoque Re-;de Compl. do;" +
                               std::string(44, '-') + ";;";
    return {
        W("CONTROLE DE ESTOQUE - Veículos e Motos com Substituição Tributária"),
        "",
        text::pad(W("(Critério de Avaliação Esp" "ecífica)"), 60) + text::pad("Modelo 4", 30) + W("Número Página.... ") +
            text::zero_fill(pagina, 3),
        "",
        "Contribuinte :  " + text::pad(emp.razao, 60) + W("Inscrição Estadual :  ") + text::pad(emp.inscricao, 20),
        W("Referência   :  ") + text::pad(std::to_string(emp.mes) + "/" + std::to_string(emp.ano), 60) + W("Alíquota :  ") +
            picture::format("@n5`2", emp.percentual),
        "",
        W("Identificação do;Entradas;;;;;Saídas;;;;;;Base de Cal-Diferença da Base de Cálculo;;;"),
        W("Veículo;;;;;;;;;;;;;culo da Re-;;;"),
        W(";Documento Fiscal;;;Base de Calc.;Base de Calc.;Documento Fiscal;;;Base de Calc.;Valor de Confronto;;"
          "tenção do;Para Efeito ;Para Efeito de Ressarcimento de Imposto;;"),
        W(dashes),
        W(";Data;Número;Sé-;Prorpia do;;Data;Número;Sé-;Saída p/ Co-;Base de Calc.;Base de Calc.;manescente;Imposto;"
          "Total Exe-;Parcela para;Parcela para"),
        W(";;;rie;Substituido;;;;rie;mercialização;Efetiva Saida;Efetiva nas;;;dente;Cálculo do;Calculo do"),
        W(";;;;;;;;;;Cons. Final;Entradas;;;;Ressarcimento;Compensação"),
        "",
        "01;02;03;04;05;06;07;08;09;10;11;12;13;14;15;16;17",
        "",
    };
}

std::vector<std::string> Fechamento(const TotaisVeiculos& t) {
    auto v15 = [](const Decimal& d) { return picture::format("@n-15`2b", d); };
    auto v14 = [](const Decimal& d) { return picture::format("@n-14`2", d); };
    std::string totais = "Totais Colunas;;;;" + v15(t.colunas[0]) + ";" + v15(t.colunas[1]) + ";;;";
    for (std::size_t i = 2; i < t.colunas.size(); ++i) totais += ";" + v15(t.colunas[i]);
    const std::string se = ";;;;;;;;;;;;;;;se Positivo;";
    return {
        "",
        totais,
        "",
        ";;;;;;;;;;;;;;18;19;20",
        "Somas;;;;;;;;;;;;;;" + v14(t.s18) + ";" + v14(t.s19) + ";" + v14(t.s20),
        "",
        W("Apuração dos Saldos"),
        ";;;;;;;;;;;;;;;18(-)19(-)20;21",
        W("Diferença da Base de Cálculo do Imposto a ser Complementado") + se + v14(t.saldos.complementar),
        "",
        ";;;;;;;;;;;;;;;19(-)18;22",
        W("Diferença da Base de Cálculo do Imposto a ser Ressarcido") + se + v14(t.saldos.ressarcir),
        "",
        ";;;;;;;;;;;;;;;19(+)20(-)18(-)22;23",
        W("Diferença da Base de Cálculo do Imposto a ser Compensado") + se + v14(t.saldos.compensar),
        "",
        shell::RodapeRelatorio(),
    };
}

}  // namespace

ResultadoVeiculos PlanilhaVeiculoExcel(const ResultadoVeiculos& run, const OpcoesVeiculos& opcoes,
                                       std::string_view caminho, AvisosCalculo& avisos) {
    ResultadoVeiculos r;
    r.periodo = run.periodo;
    shell::ArquivoTexto arquivo;
    auto falha = [&](std::string erro) {
        r.ok = false;
        r.erro = std::move(erro);
        (void)arquivo.Fecha();
        (void)files::remove_file(std::string(caminho));
        return r;
    };
    if (report::Outcome o = arquivo.AbreExportacao(caminho); !o.ok()) return falha(o.error);

    FileManager trabalho(dictionary::EntradaSaidaVorel());
    if (!trabalho.open_path(run.arquivoTrabalho).ok()) return falha("Abrindo a tabela de trabalho");
    struct Fecha {
        FileManager& fm;
        ~Fecha() { (void)fm.close(); }
    } fecha{trabalho};
    const CabecalhoVeiculos emp = CabecalhoDaEmpresa(opcoes.percentual, run.periodo);
    TotaisVeiculos totais;
    ProgressoCalculo progresso;
    progresso.total1 = trabalho.records();
    auto grava = [&](const std::string& linha) { return arquivo.GravaLinhaTexto(linha); };

    const auto& w = trabalho.rec<dictionary::EntradaSaidaVorelRec>();
    trabalho.clear_record();
    if (!LeSoCamposDaLinhaVeiculo(trabalho).ok() || !trabalho.set(keys::Esa_Key_DataEspelho).ok())
        return falha("Lendo a tabela de trabalho");
    bool cabecalho = false;
    while (trabalho.next().ok()) {
        ++progresso.barra1;
        if (!avisos.Progresso(progresso)) return falha("Cancelado");
        if (!cabecalho) {
            for (const std::string& l : Cabecalho(emp, 1))
                if (report::Outcome o = grava(l); !o.ok()) return falha(o.error);
            cabecalho = true;
        }
        const LinhaVeiculo linha = LinhaDaPlanilha(w, opcoes.modelo);
        if (report::Outcome o = grava(LinhaCsv(linha)); !o.ok()) return falha(o.error);
        totais.Soma(linha);
    }
    for (const std::string& l : Fechamento(totais))
        if (report::Outcome o = grava(l); !o.ok()) return falha(o.error);
    if (report::Outcome o = arquivo.Fecha(); !o.ok()) return falha(o.error);
    return r;
}

}  // namespace vorel::computation
