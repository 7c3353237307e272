// The test-only register: frame, browse and form over the table "TesteQt".
#include "sample_register.h"

#include <stdexcept>
#include <thread>

#include "vorel/core/text.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/table_desc.h"
#include "vorel/ui/browse_manager.h"
#include "vorel/ui/form.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/window.h"

namespace vorel::qt::testing {

using namespace vorel::ui;

namespace {

data::NameVariable CaminhoTesteQt;

const data::TableDesc& TesteQt() {
    static const data::TableDesc d = data::TableBuilder<SampleRecord>("TesteQt", "TQT")
                                         .file(CaminhoTesteQt)
                                         .version(1)
                                         .field("Codigo", &SampleRecord::Codigo)
                                         .field("Descricao", &SampleRecord::Descricao)
                                         .field("Valor", &SampleRecord::Valor)
                                         .field("Coluna", &SampleRecord::Coluna)
                                         .field("Veiculo", &SampleRecord::Veiculo)
                                         .field("Ativo", &SampleRecord::Ativo)
                                         .field("Observacoes", &SampleRecord::Observacoes)
                                         .key("KEY:CODIGO", "Código", {"Codigo"}, data::kPrimary | data::kNoCase)
                                         .key("KEY:DESCRICAO", "Descrição", {"Descricao"}, data::kDuplicates | data::kNoCase)
                                         .defaults([](SampleRecord& r) { r.Veiculo = 1; })
                                         .build();
    return d;
}

struct Dictionary {
    data::FileManager table{TesteQt()};
};
Dictionary& Dict(ProcContext& ctx) { return *static_cast<Dictionary*>(ctx.resources.get()); }
SampleRecord& Rec(ProcContext& ctx) { return Dict(ctx).table.rec<SampleRecord>(); }
std::string Utf8(std::string_view s) { return text::to_utf8(text::clip(s)); }

void Frame(ProcContext& ctx) {
    Window w(ctx, "Vorel  -  Teste");
    w.SetFrame();
    w.Add(1, ControlType::MenuBar);
    w.Add(2, ControlType::Menu, "&Cadastros").Parent(1);
    w.Add(3, ControlType::MenuItem, "&Registro de Teste\tCtrl + T").Parent(2).Msg("Abre o registro de teste");
    w.Add(4, ControlType::MenuItem, "&Sair").Parent(1);
    w.Add(10, ControlType::Toolbar);
    w.Button(11, "Seleciona Empresa").Parent(10).Icon("empresa").Tip("Seleciona Empresa. < F2 >.").Alert(key::F(2));
    w.Prompt(12, "Empresa Selecionada").Parent(10);
    w.Button(13, "").Parent(10).Icon("exit").Tip("Fecha Aplicativo");
    w.SetStatusZone(1, "Pronto");
    w.SetStatusZone(4, "12:34:56");
    w.Open();
    for (Event e; (e = w.Accept()).code != event::None;) {
        if (e.code == event::CloseWindow) w.Close();
        if (e.code == event::AlertKey && e.key == key::F(2)) w.SetStatusZone(2, "F2");
        if (e.code != event::Accepted) continue;
        if (e.feq == 3) ctx.runtime().Start("TesteRegistro");
        if (e.feq == 4 || e.feq == 13) w.Close();
    }
}

class Form : public FormController {
public:
    enum : int { kCodigo = 2, kDescricao = 4, kValor = 6, kColuna = 8, kVeiculo = 10, kAtivo = 11, kObs = 13,
                 kOk = 14, kCancela = 15 };
    Form(ProcContext& ctx, RecordAccess& access)
        : FormController(ctx, "UTesteRegistro", "Cadastro de Teste", access,
                         {"Inclui Registro de Teste", "Altera Registro de Teste", "Exclui Registro de Teste"}),
          rec_(Rec(ctx)) {}
    Level Setup() override {
        FormController::Setup();
        Window& w = window();
        w.Prompt(1, "01 Código.......");
        w.Entry(kCodigo, Use(rec_.Codigo), "@n4");
        w.Prompt(3, "02 Descrição....");
        w.Entry(kDescricao, Use(rec_.Descricao), "@s40");
        w.Prompt(5, "03 Valor........");
        w.Entry(kValor, Use(rec_.Valor), "@n-14`2");
        w.Prompt(7, "04 Coluna.......");
        w.DropList(kColuna, Use(rec_.Coluna), {"1 CFO Entrada", "2 Saída Consumidor Final", "3 Fato Gerador Não Realizado"})
            .Tip("Coluna de Impressão");
        w.Prompt(9, "05 Veículo......");
        w.DropList(kVeiculo, Use(rec_.Veiculo), {"CFO de Entrada de Veículo", "Base Cálculo da Retenção", "Base Cálculo Efetiva"},
                   {"1", "2", "3"});
        w.Check(kAtivo, "Ativo", Use(rec_.Ativo));
        w.Prompt(12, "06 Observações..");
        w.TextBox(kObs, Use(rec_.Observacoes));
        w.Button(kOk, "&OK").Icon("ok").Tip("Confirma Cadastro");
        w.Button(kCancela, "&Cancela").Icon("cancel").Tip("Cancela e Retorna a Janela Anterior");
        SetOkButton(kOk);
        SetCancelButton(kCancela);
        w.SetDefaultButton(kOk);
        navigator().ExcludeControl(kOk);
        navigator().ExcludeControl(kCancela);
        return Level::Benign;
    }
    Level OnAccepted(int feq) override {
        Level l = FormController::OnAccepted(feq);
        if (feq == kCodigo && window().acceptAll && rec_.Codigo == 0) {
            Message("Código é Indispensável", "Atenção", Icon::Exclamation);
            window().Select(kCodigo);
            return kHandled;
        }
        return l;
    }

private:
    SampleRecord& rec_;
};

void RunForm(ProcContext& ctx) {
    TableAccess access(Dict(ctx).table);
    Form(ctx, access).Execute();
}

class Browse : public BrowseWindow {
public:
    enum : int { kSheet = 20, kTabCodigo = 21, kTabDescricao = 22, kLocCodigo = 23, kLocDescricao = 24, kList = 30,
                 kInclui = 40, kAltera = 41, kExclui = 42, kFecha = 43 };
    Browse(ProcContext& ctx, TableSource& source)
        : BrowseWindow(ctx, "TesteRegistro", "Registros de Teste", source), rec_(Rec(ctx)) {}
    Level Setup() override {
        BrowseWindow::Setup();
        Window& w = window();
        w.Sheet(kSheet);
        w.Tab(kTabCodigo, kSheet, "Pesquisa por Có&digo");
        w.Prompt(25, "Pesquisa por Código....").Parent(kTabCodigo);
        w.Entry(kLocCodigo, Use(rec_.Codigo)).Parent(kTabCodigo).Immediate();
        w.Tab(kTabDescricao, kSheet, "Pesquisa por De&scrição");
        w.Prompt(26, "Pesquisa por Descrição....").Parent(kTabDescricao);
        w.Entry(kLocDescricao, Use(rec_.Descricao)).Parent(kTabDescricao).Immediate();
        w.List(kList, {{"Código", 28, 'C'}, {"Descrição", 160, 'L'}, {"Valor", 48, 'R'}}).Tip("Registros cadastrados");
        w.Button(kInclui, "&Inclui").Icon("insert").Tip("Inclui novo registro");
        w.Button(kAltera, "&Altera").Tip("Altera o registro");
        w.Button(kExclui, "&Exclui").Icon("delete").Tip("Exclui o registro");
        w.Button(kFecha, "&Fecha").Icon("close").Tip("Cancela e Retorna a Janela Anterior");
        BrowseManager& b = browse();
        b.SetList(kList, 8);
        b.AddColumn({"Código", 28, 'C', [this] { return std::to_string(rec_.Codigo); }});
        b.AddColumn({"Descrição", 160, 'L', [this] { return Utf8(rec_.Descricao.value()); }});
        b.AddColumn({"Valor", 48, 'R', [this] { return Utf8(rec_.Valor.value()); }});
        const auto& d = TesteQt();
        b.AddSortOrder({d.key_index(data::KeyName{"KEY:CODIGO"}), kLocCodigo, true, {}});
        b.AddSortOrder({d.key_index(data::KeyName{"KEY:DESCRICAO"}), kLocDescricao, true, {}});
        b.SetSheet(kSheet);
        b.SetInsertButton(kInclui);
        b.SetChangeButton(kAltera);
        b.SetDeleteButton(kExclui);
        SetCloseButton(kFecha);
        SetForm(RunForm);
        for (int f : {kInclui, kAltera, kExclui, kFecha}) navigator().ExcludeControl(f);
        return Level::Benign;
    }

private:
    SampleRecord& rec_;
};

// Negative values show in red.
class ColouredManager : public BrowseManager {
public:
    ColouredManager(WindowController& o, BrowseSource& s, SampleRecord& rec) : BrowseManager(o, s), rec_(rec) {}
    void FillRow(Row& row) override {
        if (rec_.Valor.value().starts_with("-"))
            for (auto& c : row) c.fg = 0x0000FF;
    }

private:
    SampleRecord& rec_;
};

void RunBrowse(ProcContext& ctx) {
    TableSource source(Dict(ctx).table);
    Browse b(ctx, source);
    b.SetBrowseManager(std::make_unique<ColouredManager>(b, source, Rec(ctx)));
    b.Execute();
}

}  // namespace

void SetSampleTablePath(const std::string& path) { CaminhoTesteQt.set(path); }

ui::Runtime::Options SampleRuntimeOptions() {
    ui::Runtime::Options opt;
    opt.threadStart = [](ProcContext& ctx) {
        auto d = std::make_shared<Dictionary>();
        if (!d->table.open().ok()) throw std::runtime_error("cannot open the table TesteQt");
        ctx.resources = d;
    };
    opt.threadEnd = [](ProcContext& ctx) { (void)Dict(ctx).table.close(); };
    return opt;
}

std::vector<SampleRecord> ReadSampleRecords() {
    std::vector<SampleRecord> out;
    std::thread([&] {
        data::FileManager fm(TesteQt());
        if (!fm.open().ok()) return;
        (void)fm.set(data::KeyName{"KEY:CODIGO"});
        while (fm.next().ok()) out.push_back(fm.rec<SampleRecord>());
        (void)fm.close();
    }).join();
    return out;
}

bool WriteSampleRecords(const std::vector<SampleRecord>& records) {
    bool ok = false;
    std::thread([&] {
        data::FileManager fm(TesteQt());
        if (!fm.open().ok()) return;
        ok = true;
        for (const auto& r : records) {
            fm.clear_record();
            fm.rec<SampleRecord>() = r;
            if (!fm.add().ok()) ok = false;
        }
        (void)fm.close();
    }).join();
    return ok;
}

void RegisterSampleProcedures() {
    InstallMessageBoxAsker();
    ProcedureRegistry::Add("TesteFrame", Frame);
    ProcedureRegistry::Add("TesteRegistro", RunBrowse);
    ProcedureRegistry::Add("UTesteRegistro", RunForm);
}

}  // namespace vorel::qt::testing
