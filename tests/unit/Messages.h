// The texts that the press of Run shows in the first result box, as the user must see them.
#pragma once

#include <string>

namespace tavimo::test {

const std::string notNatural = "双方に自然数(スペース無し)を入れてください";
const std::string negative = "双方に自然数(スペース無し)を入れてください。";
const std::string beyondLimit = "双方に1073577990以下の自然数を入れてください。";
const std::string warning = "数分、またはそれ以上かかる場合も有りますが？\r\n"
                            "(桁とパソコンの処理能力で変わります)\r\n"
                            "表示できる素数は小さい方から、約20000個です。\r\n"
                            "超えた分は改めて検索してください。。";
const std::string noPrimes = "素数はありまへん。";
const std::string continuation =
    "\r\n‥‥‥\r\n[移]を押して続きを検索してください。(素数は1個重複します)";

} // namespace tavimo::test
