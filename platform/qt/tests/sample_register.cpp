// The test-only register: frame, browse and form.
#include "sample_register.h"

#include "vorel/ui/message_box.h"
#include "vorel/ui/runtime.h"
#include "vorel/ui/window.h"

namespace vorel::qt::testing {

using namespace vorel::ui;

SampleStore& Store() {
    static SampleStore store;
    return store;
}

namespace {

void Frame(ProcContext& ctx) {
    Window w(ctx, "Vorel  -  Teste");
    w.SetFrame();
    w.Add(1, ControlType::MenuBar);
    w.Add(2, ControlType::Menu, "&Cadastros").Parent(1);
    w.Add(3, ControlType::MenuItem, "&Registro de Teste\tCtrl + T").Parent(2).Msg("Abre o registro de teste");
    w.Add(4, ControlType::MenuItem, "&Sair").Parent(1);
    w.Add(10, ControlType::Toolbar);
    w.Button(11, "Seleciona Empresa").Parent(10).Icon("empresa").Tip("Seleciona Empresa. < F2 >.");
    w.String(12, "Empresa Selecionada").Parent(10);
    w.Button(13, "").Parent(10).Icon("exit").Tip("Fecha Aplicativo");
    w.SetStatusZone(4, "12:34:56");
    w.Open();
    for (Event e; (e = w.Accept()).code != event::None;) {
        if (e.code == event::CloseWindow) w.Close();
        if (e.code != event::Accepted) continue;
        if (e.feq == 3) ctx.runtime().Start("TesteRegistro");
        if (e.feq == 4 || e.feq == 13) w.Close();
    }
}

std::vector<Row> Rows() {
    std::vector<Row> rows;
    for (const auto& r : Store().Snapshot()) {
        Row row;
        row.push_back(Cell{std::to_string(r.code)});
        row.push_back(Cell{r.description});
        Cell value{r.value};
        if (!r.value.empty() && r.value[0] == '-') value.fg = 0x0000FF;  // negative values in red
        row.push_back(value);
        rows.push_back(row);
    }
    return rows;
}

void Browse(ProcContext& ctx) {
    Window w(ctx, "Registros de Teste");
    w.Sheet(1);
    w.Tab(2, 1, "Por Có&digo");
    w.Tab(3, 1, "Por De&scrição");
    std::string locator;
    w.Prompt(4, "Código:").Parent(2);
    w.Entry(5, Use(locator), "@n4").Parent(2);
    w.List(6, {{"Código", 28, 'C'}, {"Descrição", 160, 'L'}, {"Valor", 48, 'R'}}).Tip("Registros cadastrados");
    w.Button(7, "&Inclui").Icon("insert").Tip("Inclui novo registro");
    w.Button(8, "&Fecha").Icon("close").Tip("Cancela e Retorna a Janela Anterior");
    w[6].Rows(Rows()).Selected(Store().Snapshot().empty() ? 0 : 1);
    w.Open();
    for (Event e; (e = w.Accept()).code != event::None;) {
        if (e.code == event::CloseWindow) w.Close();
        if (e.code != event::Accepted) continue;
        if (e.feq == 7) {
            ctx.Call("TesteForm", Request::Insert);
            auto rows = Rows();
            w[6].Rows(rows).Selected(static_cast<int>(rows.size()));
        }
        if (e.feq == 8) w.Close();
    }
}

void Form(ProcContext& ctx) {
    SampleRecord rec;
    Window w(ctx, ctx.request == Request::Insert ? "Inclui Registro de Teste" : "Cadastro de Teste");
    w.Prompt(1, "01 Código.......");
    w.Entry(2, Use(rec.code), "@n4").Alert(key::Enter).Alert(key::Down).Alert(key::Up);
    w.Prompt(3, "02 Descrição....");
    w.Entry(4, Use(rec.description), "@s40").Alert(key::Enter).Alert(key::Down).Alert(key::Up);
    w.Prompt(5, "03 Valor........");
    w.Entry(6, Use(rec.value), "@n-14`2").Alert(key::Enter).Alert(key::Down).Alert(key::Up);
    w.Prompt(7, "04 Coluna.......");
    w.DropList(8, Use(rec.column), {"1 CFO Entrada", "2 Saída Consumidor Final", "3 Fato Gerador Não Realizado"})
        .Tip("Coluna de Impressão");
    w.Prompt(9, "05 Veículo......");
    w.DropList(10, Use(rec.vehicle), {"CFO de Entrada de Veículo", "Base Cálculo da Retenção", "Base Cálculo Efetiva"},
               {"1", "2", "3"});
    w.Check(11, "Ativo", Use(rec.active));
    w.Prompt(12, "Observações");
    w.TextBox(13, Use(rec.notes));
    w.Button(14, "&OK").Icon("ok").Tip("Confirma Cadastro");
    w.Button(15, "&Cancela").Icon("cancel").Tip("Cancela e Retorna a Janela Anterior");
    w.SetDefaultButton(14);
    w.Open();
    for (Event e; (e = w.Accept()).code != event::None;) {
        if (e.code == event::CloseWindow) w.Close();
        // Enter and the arrows move between the entries, as the keyboard navigator does.
        if (e.code == event::AlertKey) {
            w.PressKey(e.key == key::Up ? key::ShiftTab : key::Tab);
            continue;
        }
        if (e.code == event::Selected) {
            // The focus highlight: the focused entry's background and a box around it.
            for (int feq : {2, 4, 6}) w[feq].Background(feq == e.feq ? 0xD2FFFF : kDefaultColour);
            w.SetHighlightBox({e.feq == 2 || e.feq == 4 || e.feq == 6, {}, 0, 0xD2FFFF});
        }
        if (e.code != event::Accepted) continue;
        if (e.feq == 14) {
            w.Update();
            if (rec.code == 0) {
                Message("Código é Indispensável", "Atenção", Icon::Exclamation);
                w.Select(2);
                continue;
            }
            {
                std::lock_guard lock(Store().m);
                Store().records.push_back(rec);
            }
            ctx.response = Response::Completed;
            w.Close();
        }
        if (e.feq == 15) {
            ctx.response = Response::Cancelled;
            w.Close();
        }
    }
}

}  // namespace

void RegisterSampleProcedures() {
    ProcedureRegistry::Add("TesteFrame", Frame);
    ProcedureRegistry::Add("TesteRegistro", Browse);
    ProcedureRegistry::Add("TesteForm", Form);
}

}  // namespace vorel::qt::testing
