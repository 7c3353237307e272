// The menu bar of the main frame: its items as data and their controls in the frame's window.
#include "vorel/shell/main_menu.h"

#include <cctype>

#include "vorel/core/text.h"
#include "vorel/ui/types.h"
#include "vorel/ui/window.h"

namespace vorel::shell {

namespace {

struct Linha {
    const char* menu;
    const char* submenu;
    const char* texto;
    const char* atalho;
    const char* procedimento;
    int layout;
    const char* mensagem;
    AcaoMenu acao;
};

constexpr AcaoMenu I = AcaoMenu::Inicia;

constexpr const char* kArquivo = "&Arquivo";
constexpr const char* kLancamentos = "&Lançamentos";
constexpr const char* kCalculos = "&Cálculos";
constexpr const char* kRelatorios = "&Relatórios";
constexpr const char* kIntegracao = "&Integração";
constexpr const char* kUtilitarios = "&Utilitários";
constexpr const char* kAjuda = "A&juda";

const Linha kLinhas[] = {
    {kArquivo, "", "&Empresa", "Ctrl + E", "Empresa", 0, "", I},
    {kArquivo, "", "C.F.&O.P.", "Ctrl + O", "CFO", 0, "", I},
    {kArquivo, "", "Co&mpl. C.F.O.P.", "Ctrl + L", "CFOComplementar", 0, "", I},
    {kArquivo, "", "&CNAE", "Ctrl + N", "CNAE", 0, "", I},
    {kArquivo, "", "Esta&dos", "Ctrl + D", "Estados", 0, "", I},
    {kArquivo, "", "&Fornecedores", "Ctrl + F", "Fornecedores", 0, "", I},
    {kArquivo, "", "&Máquina Reg.", "Ctrl + M", "ICMSEletronico", 0, "", I},
    {kArquivo, "", "&Produtos", "Ctrl + P", "Produtos", 0, "", I},
    {kArquivo, "", "&Responsável", "Ctrl + R", "BFuncionarios", 0, "", I},
    {kArquivo, "", "&Valor Unitário Entrada", "Ctrl + U", "ValorUnitario", 0, "", I},
    {kArquivo, "", "Valor Unitário Saída", "", "CadastroValorUnitSaida", 0, "", I},

    {kLancamentos, "", "Lançamentos de &Entradas", "Ctrl + Alt + E", "Entradas", 0, "", I},
    {kLancamentos, "", "Lançamentos de &Saídas", "Ctrl + Alt + S", "Saidas", 0, "", I},
    {kLancamentos, "", "Mestre/Analítico/Diário", "Ctrl + Alt + M", "LancamentoMestre", 0, "", I},
    {kLancamentos, "", "Entradas de Veículos", "", "EntradaVeiculo", 0, "", I},
    {kLancamentos, "", "Saídas de Veículos", "", "SaidaVeiculo", 0, "", I},
    {kLancamentos, "", "Saldo Anterior", "", "SaldoAnterior", 0, "Lançamento de Saldo Anterior", I},
    {kLancamentos, "", "Auditoria dos Lançamentos", "", "Auditoria", 0, "", I},

    {kCalculos, "", "Calculo Anual", "", "CalculoAnual", 0, "", I},
    {kCalculos, "", "Calculo Mensal", "", "CalculoMensal", 0, "", I},
    {kCalculos, "", "&Recalcular Lançamentos", "", "RecalcLancamentos", 0, "", I},

    {kRelatorios, "", "Relatórios de Saldos &Anterior", "", "RelatorioSaldoAnterior", 0, "", I},
    {kRelatorios, "", "Relatório de &Entradas", "", "RelatorioEntradas", 0, "", I},
    {kRelatorios, "", "Relatório de &Saidas", "", "RelatorioSaidas", 0, "", I},
    {kRelatorios, "", "Relatório de &Cupons Fiscais", "", "RelatorioCF", 0, "", I},
    {kRelatorios, "", "Listagem de Em&presas", "", "ListagemEmpresas", 0, "", I},
    {kRelatorios, "", "Relatório Sal&dos", "", "JRelSaldos", 0, "", I},
    {kRelatorios, "", "Relação Pr&odutos", "", "JRelProdutos", 0, "", I},
    {kRelatorios, "", "Planilha Anual", "Ctrl + 5", "PlanilhaAnual", 0, "", I},
    {kRelatorios, "", "Planilha Mensal de Produtos", "Ctrl + 3", "PlanilhaProdutos", 0, "", I},
    {kRelatorios, "", "Planilha Final de Produtos", "Ctrl + 1", "PlanilhaFinal", 0, "", I},
    {kRelatorios, "", "Planilha Mensal de Produtos p/ Gestão", "", "PlanilhaProdutos_Aux", 0, "", I},
    {kRelatorios, "", "Planilha de Veículos", "Ctrl + 4", "PlanilhaVeiculos", 0, "", I},
    {kRelatorios, "", "Planilha Final de Veículos", "Ctrl + 2", "PlanilhaFinalVeiculos", 0, "", I},
    {kRelatorios, "", "Planilha Veículos por Fornecedor", "", "PlanilhaVeiculosFornecedor", 0, "", I},
    {kRelatorios, "", "Erros Clientes/Fornecedores", "", "JanErroForCli", 0, "", I},
    {kRelatorios, "", "Erros Clientes/Fornecedores por NF", "", "JanErroNotaForCli", 0, "", I},

    {kIntegracao, "", "Gerar Arquivo Magnético", "", "ArquivoMagnetico", 0, "Gerar Arquivo Magnético", I},
    {kIntegracao, "Cadastro de Clientes/Fornecedores", "Layout de Clientes/Fornecedores", "", "Layout", 9, "", I},
    {kIntegracao, "Cadastro de Clientes/Fornecedores", "Importar Clientes/Fornecedores", "", "ImportaFornecedores", 0, "", I},
    {kIntegracao, "Cadastro de Produtos", "Layout de Produtos", "", "Layout", 10, "", I},
    {kIntegracao, "Cadastro de Produtos", "Importar Produtos", "", "ImportaProdutos", 0, "", I},
    {kIntegracao, "Cadastro de Produtos", "Exclui Produtos Integrados", "", "ExcluiProdutosIntegrados", 0, "", I},
    {kIntegracao, "Lançamentos por Notas Fiscais", "Layout de Entradas", "", "Layout", 16, "", I},
    {kIntegracao, "Lançamentos por Notas Fiscais", "Importar Lançamentos de Entradas", "", "ImportaEntradasNota", 0, "", I},
    {kIntegracao, "Lançamentos por Notas Fiscais", "Exclui NF's de Entrada", "", "ExcluiEntradaImportada", 0, "", I},
    {kIntegracao, "Lançamentos por Notas Fiscais", "Layout de Saídas", "", "Layout", 17, "", I},
    {kIntegracao, "Lançamentos por Notas Fiscais", "Importar Lançamentos de Saídas", "", "ImportaSaidasNota", 0, "", I},
    {kIntegracao, "Lançamentos por Notas Fiscais", "Excluir NF's Saida", "", "ExcluiSaidasImportada", 0, "", I},
    {kIntegracao, "Lançamentos por ECF", "Layout de Máquinas Registradoras", "", "Layout", 20, "", I},
    {kIntegracao, "Lançamentos por ECF", "Importar Máquinas Registradoras", "", "ImportaMaquinaECF", 0, "", I},
    {kIntegracao, "Lançamentos por ECF", "Exclui Importação Maquina ECF", "", "ExcluiMaquinaECFImportada", 0, "", I},
    {kIntegracao, "Lançamentos por ECF", "Layout de ECF ( Mestre )", "", "Layout", 21, "", I},
    {kIntegracao, "Lançamentos por ECF", "Layout de ECF ( Analítico )", "", "Layout", 22, "", I},
    {kIntegracao, "Lançamentos por ECF", "Layout de ECF ( Diário )", "", "Layout", 23, "", I},
    {kIntegracao, "Lançamentos por ECF", "Importar Lançamentos por ECF", "", "ImportaLancamentoECF", 5, "", I},
    {kIntegracao, "Lançamentos por ECF", "Excluir Lançamentos ECF Importados", "", "ExcluiLancamentoImportada", 0, "", I},
    {kIntegracao, "Lançamentos de Veículos", "Layout Entradas de Veículos", "", "Layout", 18, "", I},
    {kIntegracao, "Lançamentos de Veículos", "Importar Entradas de Veículos", "", "ImportaEntradaVeiculos", 6, "", I},
    {kIntegracao, "Lançamentos de Veículos", "Excluir Entrada de Veículos Importados", "", "ExcluiEntradaVeiculoImportada", 0, "", I},
    {kIntegracao, "Lançamentos de Veículos", "Layout de Saídas de Veículos", "", "Layout", 19, "", I},
    {kIntegracao, "Lançamentos de Veículos", "Importar Saídas de Veículos", "", "ImportaSaidaVeiculos", 7, "", I},
    {kIntegracao, "Lançamentos de Veículos", "Excluir Saida de Veículos Importados", "", "ExcluiSaidaVeiculoImportada", 0, "", I},
    {kIntegracao, "Lançamento Saldo Anterior", "Layout Saldo Anterior", "", "Layout", 38, "", I},
    {kIntegracao, "Lançamento Saldo Anterior", "Importa Saldo Anterior", "", "ImportaSaldoAnterior", 8, "", I},
    {kIntegracao, "Lançamento Saldo Anterior", "Exclui Saldo Anterior", "", "ExcluiSaldoAnterior", 0, "", I},
    {kIntegracao, "Importa NF-e", "Exclui NF´s Entrada", "", "ExcluiEntradaImportada", 0, "", I},
    {kIntegracao, "Importa NF-e", "Importa NF-e Entrada", "", "ImportaNfe_Ent", 0, "Importa Nf-e de Entrada", I},
    {kIntegracao, "Importa NF-e", "Exclui NF´s Saida", "", "ExcluiSaidasImportada", 0, "", I},
    {kIntegracao, "Importa NF-e", "Importa NF-e Saída", "", "ImportaNfe_Sai", 0, "", I},
    {kIntegracao, "Excel", "Entradas", "", "ExportaExcelEntrada", 0, "", I},
    {kIntegracao, "Excel", "Saídas", "", "ExportaExcelSaidas", 0, "", I},
    {kIntegracao, "Excel", "Planilha Mensal", "", "ExpExcelPlanMensal", 0, "", I},
    {kIntegracao, "Excel", "Planilha Final Fornecedor", "", "ExpExcelPlanilhaFinalFornecedor", 0, "", I},
    {kIntegracao, "Excel", "Planilha Veiculos", "", "ExpExcelPlanilhaVeiculos", 0, "", I},
    {kIntegracao, "Excel", "Saldo Mensal", "", "ExpExcelSaldoMensal", 0, "", I},

    {kUtilitarios, "", "Atualização", "", "RunTimeFileManager", 0, "", I},
    {kUtilitarios, "", "&Naveli", "", "", 0, "", AcaoMenu::Naveli},
    {kUtilitarios, "", "Configura Arquivos", "", "AtualizaArquivos", 0, "", I},
    {kUtilitarios, "", "Impressoras", "", "Impressoras", 0, "", I},
    {kUtilitarios, "", "Parâmetros", "", "Parametros", 0, "", I},
    {kUtilitarios, "", "Troca Papel de Parede", "", "TrocaPapelParede", 0, "", I},
    {kUtilitarios, "", "Cópia de Fornecedores", "", "CopiaFornecedores", 0, "", I},
    {kUtilitarios, "Usuários", "Usuários / Senhas", "", "UsuariosSenhas", 0, "", I},
    {kUtilitarios, "Usuários", "Fechamento / Abertura", "", "AberturaFechamento", 0, "", I},
    {kUtilitarios, "Usuários", "Log's Fechamento / Abertura", "", "VisualizacaoLog", 0, "", I},
    {kUtilitarios, "", "Gerar Unificação dos Arquivos", "", "GerarUnificacao", 0, "", I},
    {kUtilitarios, "", "Ler Unificação dos Arquivos", "", "Unificacao", 0, "", I},
    {kUtilitarios, "", "Alterar CFO em Lote", "", "JanAltCFOLote", 0, "", I},
    {kUtilitarios, "", "Ajustar Cadastro de Produtos", "", "CopiaCodProdutos", 0, "", I},
    {kUtilitarios, "", "Ajustar Entrada - Campo 14-Base Calc. / 17-Base Op. Própria", "", "AjustaLancEntrada", 0, "", I},
    {kUtilitarios, "", "Ajustar Entrada - Copiar Valor 17-Base Op. Prórpia p/ 14-Base Cálc.", "", "AjustaBaseCalc_Ent", 0, "", I},
    {kUtilitarios, "", "Ajusta Lançamentos Mestre/Analítico/Diário", "", "AjustaECF", 0, "", I},
    {kUtilitarios, "", "Ajusta Lançamentos de Entrada", "", "AjustaLançamentos", 0, "", I},
    {kUtilitarios, "", "Ajusta Código ForCli - Saída", "", "AjustaCodForCli", 0, "", I},
    {kUtilitarios, "", "Ajusta Código ForCli - Entrada", "", "AjustaCodForCli_Ent", 0, "", I},
    {kUtilitarios, "", "Excluir Saldo Zero", "", "ExcluirSaldoZero", 0, "", I},
    {kUtilitarios, "", "Excluir Saldo por Alíquota", "", "ExcluirSaldoAliq", 0, "", I},
    {kUtilitarios, "", "Ajustar alíquota do cadastro de Produtos conforme Lançamentos de Entrada", "", "AjusteAliqProd", 0, "", I},

    {kAjuda, "", "&Sobre", "", "Sobre", 0, "", I},
    {kAjuda, "Trispo", "Trispo", "", "", 0, "", AcaoMenu::Trispo},

    {"", "", "&Sair", "Alt+F", "", 0, "Fecha Aplicativo  -  Alt + F", AcaoMenu::Sair},
};

std::vector<ItemMenu> Constroi() {
    std::vector<ItemMenu> itens;
    for (const Linha& l : kLinhas) {
        ItemMenu i;
        i.menu = l.menu;
        i.submenu = l.submenu;
        i.texto = l.texto;
        i.atalho = l.atalho;
        i.tecla = TeclaAtalho(l.atalho);
        i.procedimento = l.procedimento;
        i.qelLayout = l.layout;
        i.mensagem = l.mensagem;
        i.acao = l.acao;
        itens.push_back(std::move(i));
    }
    return itens;
}

std::string SemEspacos(std::string_view s) {
    std::string out;
    for (char c : s)
        if (c != ' ') out += c;
    return out;
}

std::string SemE(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '&' && i + 1 < s.size() && s[i + 1] != '&') continue;
        out += s[i];
    }
    return out;
}

}  // namespace

const std::vector<ItemMenu>& MenuPrincipal() {
    static const std::vector<ItemMenu> itens = Constroi();
    return itens;
}

std::vector<std::string> MenusDaBarra() {
    std::vector<std::string> menus;
    for (const ItemMenu& i : MenuPrincipal()) {
        if (i.menu.empty()) continue;
        if (menus.empty() || menus.back() != i.menu) menus.push_back(i.menu);
    }
    return menus;
}

int TeclaAtalho(std::string_view atalho) {
    std::string s = SemEspacos(atalho);
    if (s.empty()) return 0;
    int mods = 0;
    std::size_t start = 0;
    while (true) {
        std::size_t plus = s.find('+', start);
        if (plus == std::string::npos) break;
        std::string part = text::upper(s.substr(start, plus - start));
        if (part == "CTRL") mods |= ui::key::Ctrl;
        else if (part == "ALT") mods |= ui::key::Alt;
        else if (part == "SHIFT") mods |= ui::key::Shift;
        else return 0;
        start = plus + 1;
    }
    std::string last = text::upper(s.substr(start));
    if (last.size() == 1 && std::isalnum(static_cast<unsigned char>(last[0]))) return mods | last[0];
    if (last.size() >= 2 && last[0] == 'F') {
        int n = std::atoi(last.c_str() + 1);
        if (n >= 1 && n <= 24) return mods | ui::key::F(n);
    }
    return 0;
}

int MenuConstruido::Feq(std::string_view texto) const {
    std::string wanted = SemE(texto);
    for (const auto& [feq, item] : itens)
        if (SemE(item->texto) == wanted) return feq;
    return 0;
}

MenuConstruido ConstroiMenu(ui::Window& window, int primeiro) {
    MenuConstruido m;
    int feq = primeiro;
    for (const ItemMenu& item : MenuPrincipal()) {
        int parent = 0;
        if (!item.menu.empty()) {
            auto [it, novo] = m.menus.try_emplace(item.menu, 0);
            if (novo) {
                it->second = feq;
                window.Add(feq++, ui::ControlType::Menu, item.menu);
            }
            parent = it->second;
            if (!item.submenu.empty()) {
                auto [sub, subNovo] = m.menus.try_emplace(item.menu + "/" + item.submenu, 0);
                if (subNovo) {
                    sub->second = feq;
                    window.Add(feq++, ui::ControlType::Menu, item.submenu).Parent(parent);
                }
                parent = sub->second;
            }
        }
        std::string texto = item.texto;
        if (!item.atalho.empty()) texto += "\t" + item.atalho;
        auto& c = window.Add(feq, ui::ControlType::MenuItem, texto).Parent(parent);
        if (!item.mensagem.empty()) c.Msg(item.mensagem);
        if (item.tecla != 0) c.Alert(item.tecla);
        m.itens[feq] = &item;
        ++feq;
    }
    return m;
}

}  // namespace vorel::shell
