// The layout type the layout windows of one thread work on: the browse "Layout" reads it from
// Layout.ini when it opens and keeps it here for its forms and the position check, so another menu
// item writing Layout.ini meanwhile never moves a layout out of its list's type.
#pragma once

namespace vorel::integration {

int TipoLayoutDaJanela();
void FixaTipoLayoutDaJanela(int tipo);

}  // namespace vorel::integration
