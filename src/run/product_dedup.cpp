#include "run/product_dedup.hpp"

#include "staging/staging_store.hpp"
#include "staging/statements.hpp"

namespace sintegra {

std::uint64_t removeDuplicateProducts(StagingStore& store) {
    return store.execute(sql::kDeleteRepeatedProducts);
}

} // namespace sintegra
