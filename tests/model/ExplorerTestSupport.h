// A headless model with the configured Perl fountain, for the explorer's tests.
#pragma once

#include "ModelTestSupport.h"

#include "highlight/ConfiguredFountains.h"
#include "highlight/PERLFountain.h"

namespace brenvik::test {

// Shift_JIS bytes of Japanese text used in the samples.
inline const std::string kNihon = "\x93\xfa\x96\x7b"; // 日本
inline const std::string kComment = "\x83\x52\x83\x81\x83\x93\x83\x67"; // コメント
inline const std::string kKatakanaA = "\x83\x41"; // ア: its trail byte is 'A'

struct TPerlModel : TTestModel {
    TPERLFountain Fountain;
    TPerlModel()
    {
        ConfigurePERLFountain(Fountain);
        Owner.Fountain = &Fountain;
    }
};

} // namespace brenvik::test
