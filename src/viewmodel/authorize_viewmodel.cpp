// The bases AuthorizeViewModelT is compiled for. A new base is one line here, beside its
// extern declaration in the public header.
#include "viewmodel/authorize_viewmodel_failures_impl.h"
#include "viewmodel/authorize_viewmodel_impl.h"

namespace velto {

template class AuthorizeViewModelT<framework::StatefulViewModel>;

}  // namespace velto
