// The data root, the fixed folders and the folder globals of the start-up.
#include "vorel/shell/startup.h"

#include <cstdio>
#include <filesystem>

#include "vorel/core/paths.h"
#include "vorel/core/settings_file.h"
#include "vorel/core/text.h"
#include "vorel/data/data_root.h"
#include "vorel/shell/run_leftovers.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/procedures.h"
#include "vorel/shell/program_settings.h"

namespace vorel::shell {

namespace {

std::string WithBackslash(std::string_view folder) {
    std::string s(text::clip(folder));
    if (s.empty() || (s.back() != '\\' && s.back() != '/')) s += '\\';
    return s;
}

}  // namespace

std::string PastaTrabalho() {
    std::error_code ec;
    auto here = std::filesystem::current_path(ec);
    if (ec) return ".";
    return files::to_program_path(here);
}

std::string PastaDoExecutavel() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || !exe.has_parent_path()) return ".";
    return files::to_program_path(exe.parent_path());
}

std::string DeterminaPastaRaiz(std::string_view pastaTrabalho) {
    std::string trabalho = WithBackslash(pastaTrabalho);
    if (text::upper(trabalho).find("TRABALHO") != std::string::npos) return trabalho;
    std::string netPath = CaminhoServidor(trabalho);
    // A blank value names no folder: the working folder is the root. A value without its closing
    // backslash gets one, so the fixed folders lie inside the root and not beside it.
    if (text::clip(netPath).empty()) return trabalho;
    return WithBackslash(netPath);
}

std::vector<std::string> PastasFixas(std::string_view pastaRaiz) {
    std::string root(text::clip(pastaRaiz));
    std::string base = WithBackslash(root);
    return {base, base + "BComuns", base + "BEscrita", base + "BCTB", base + "BVOREL", base + "Excel",
            base + "Temp"};
}

std::vector<std::string> CriaPastas(std::string_view pastaRaiz) {
    std::vector<std::string> falhas;
    for (const std::string& folder : PastasFixas(pastaRaiz)) {
        if (auto ec = files::make_folder(folder)) falhas.push_back(folder + ": " + ec.message());
    }
    return falhas;
}

std::string ConfereRaiz(std::string_view pastaRaiz) {
    if (files::is_folder(pastaRaiz)) return {};
    return "A pasta de dados " + text::to_utf8(pastaRaiz) +
           " não foi encontrada. Verifique se a pasta da rede está conectada e o NetPath da seção "
           "Servidor_Vorel de Marvex.ini.";
}

Inicio IniciaPrograma(std::string_view pastaTrabalho, std::string_view pastaPrograma) {
    RegisterShellGlobals();
    Inicio r;
    r.pastaRaiz = DeterminaPastaRaiz(pastaTrabalho);
    // A root that is not there (an unmounted share) is never made: the program would start on an
    // empty data root. Only the folders under an existing root are created.
    r.erro = ConfereRaiz(r.pastaRaiz);
    if (!r.erro.empty()) return r;
    PastaRaiz.Set(r.pastaRaiz);
    PastaTemp.Set(r.pastaRaiz + "Temp\\");
    PastaPrograma.Set(WithBackslash(pastaPrograma));
    r.falhas = CriaPastas(r.pastaRaiz);
    // The table engine keeps its journals' names relative to the root, for every workstation.
    data::set_data_root(files::resolve(r.pastaRaiz));
    // What killed runs left: their temporary files (work tables, staging files) and the
    // super-journals of their commits.
    (void)RemoveSobras();
    (void)data::remove_stale_super_journals(std::chrono::minutes(10));
    return r;
}

Inicio ProgramaPrincipal() {
    RegisterShellProcedures();
    Inicio r = IniciaPrograma(PastaTrabalho(), PastaDoExecutavel());
    if (!r.erro.empty()) std::fprintf(stderr, "vorel: %s\n", r.erro.c_str());
    for (const std::string& f : r.falhas) std::fprintf(stderr, "vorel: folder not created: %s\n", f.c_str());
    return r;
}

}  // namespace vorel::shell
