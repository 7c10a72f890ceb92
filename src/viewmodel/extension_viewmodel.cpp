// The bases ExtensionViewModelT and WindowTypeBase are compiled for.
#include "viewmodel/authorize_viewmodel_failures_impl.h"
#include "viewmodel/authorize_viewmodel_impl.h"
#include "viewmodel/extension_viewmodel_impl.h"

namespace velto {

template class ExtensionViewModelT<framework::StatefulViewModel, 0>;
template class WindowTypeBase<AuthorizeViewModelT<ExtensionViewModelT<framework::StatefulViewModel, 0>>>;

}  // namespace velto
