// The bases ContributesViewModelT is compiled for.
#include "viewmodel/contributes_viewmodel_impl.h"

namespace velto {

template class ContributesViewModelT<framework::StatefulViewModel, 0>;

}  // namespace velto
