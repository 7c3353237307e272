// The vehicle browse shared by EntradaVeiculo and SaidaVeiculo (see vehicle_browse.h).
#include "vehicle_browse.h"

#include "vorel/shell/globals.h"
#include "vorel/shell/period.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/pictured_use.h"

namespace vorel::movements {

VehicleBrowse::VehicleBrowse(ProcContext& ctx, const data::TableDesc& table, VehicleBrowseTexts texts,
                             std::int32_t& data, const String<22>& chassi)
    : ui::RegisterBrowse(ctx, texts.procedure, texts.caption, table, texts.form),
      texts_(std::move(texts)),
      data_(data),
      chassi_(chassi),
      query_(texts_.procedure) {}

bool VehicleBrowse::BeforeTables() { return shell::GaranteEmpresa(context()); }

Level VehicleBrowse::Setup() {
    Level l = ui::RegisterBrowse::Setup();
    if (l != Level::Benign) return l;
    ui::Window& w = window();
    w.Prompt(kPromptLocator, "Data:");
    w.Entry(kLocator, ui::UseDate(data_, "@d06b"), "@d06b");
    w.List(kList);
    w.Add(kGroup, ui::ControlType::Group);
    w.Button(kInsert, "&Inclui Lançamento").Parent(kGroup);
    w.Button(kChange, "&Altera Lançamento").Parent(kGroup);
    w.Button(kDelete, "&Exclui Lançamento").Parent(kGroup);
    w.Button(kPesquisa, "&Pesquisa Lançamento").Icon("QkQBE.ico");
    w.Button(kLimpa, "&Limpa Pesquisa").Icon("QkLoad.ico");
    w.Button(kSelect, texts_.selectButton);
    w.Button(kClose, "&Fecha");
    w.Button(kHelp, "Ajuda &On-Line");
    w.Prompt(kMonthState, "");
    w.Button(kMonthOpen, "").Icon("cadeadoaberto.ico");
    w.Button(kMonthClosed, "").Icon("cadeadofechado.ico");

    ui::BrowseManager& b = browse();
    b.SetList(kList);
    b.AddColumn({"Chassi", 90, 'L', [this] { return text::to_utf8(chassi_.clipped()); }});
    b.AddColumn({texts_.dataHeading, 48, 'C', [this] { return ui::FormatNumber("@d06b", data_); }});
    for (const ui::BrowseColumn& c : texts_.columns) b.AddColumn(c);
    b.AddSortOrder({file().desc().key_index(texts_.keyName), kLocator, true, {}});
    // The working month, from its first day to its last.
    const date::Day first = date::make(shell::GLO_ANO.Get(), shell::GLO_MES.Get(), 1);
    const date::Day last = shell::UltimoDiaMes(first);
    b.SetRange([this, first, last] { return data_ >= first && data_ <= last; });
    b.AttachQuery(query_, kPesquisa, kLimpa);
    SetButtons(b, kInsert, kChange, kDelete, kSelect);
    SetCloseButton(kClose);
    ExcludeFromNavigation({kInsert, kChange, kDelete, kPesquisa, kLimpa, kSelect, kClose, kHelp, kMonthOpen,
                           kMonthClosed});
    return Level::Benign;
}

Level VehicleBrowse::OnWindowOpened() {
    Level l = ui::RegisterBrowse::OnWindowOpened();
    // TODO month lock
    return l;
}

Level VehicleBrowse::OnAccepted(int feq) {
    Level l = ui::RegisterBrowse::OnAccepted(feq);
    return l;
}

}  // namespace vorel::movements
