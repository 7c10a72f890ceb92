// The bases AuthorizeViewModelT is compiled for. A new base is one line here, beside its
// extern declaration in the public header.
#include "viewmodel/authorize_viewmodel_failures_impl.h"
#include "viewmodel/authorize_viewmodel_impl.h"
#include "module_api/viewmodel/contributes_viewmodel.h"
#include "module_api/viewmodel/extension_viewmodel.h"

namespace velto {

template class AuthorizeViewModelT<framework::StatefulViewModel>;
template class AuthorizeViewModelT<ContributesViewModelT<framework::StatefulViewModel, 0>>;
template class AuthorizeViewModelT<ExtensionViewModelT<framework::StatefulViewModel, 0>>;

}  // namespace velto
