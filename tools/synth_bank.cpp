// SPDX-License-Identifier: MIT
#include "tools/synth_bank.h"

#include <random>
#include <string_view>
#include <vector>

#include "bank/gbk.h"
#include "resources/resources.h"

namespace zuvo {
namespace {

// Characters of the kind question texts are made of; each is two bytes in GBK, as most of a real text is.
constexpr std::string_view kCharacters =
    "驾驶人机动车道路交通安全法规定行驶在时应当减速停车让行信号灯标志标线路口转弯掉头超车会车夜间高速公路"
    "事故救援伤员责任保险罚款记分驾驶证号牌行人非车道右侧左侧前方后方距离速度每小时公里米不得可以必须";
constexpr std::string_view kEndings[] = {"？", "。", "？", "的是什么？"};

// The licence classes' shares of the shipped bank: most questions belong to every class.
struct TypeShare {
    const char* codes;
    int weight;
};
constexpr TypeShare kTypeShares[] = {{"C1,C2,A1,B2,D", 70}, {"C1,C2,A1,B2", 10}, {"A1,B2", 4}, {"B2", 4},
                                     {"C1,C2", 4},          {"A1", 3},           {"D", 3},     {"C1,A1,B2", 2}};

std::vector<std::string_view> characters() {
    std::vector<std::string_view> out;
    for (size_t i = 0; i < kCharacters.size();) {
        const size_t length = utf8CharacterLength(kCharacters.substr(i));
        out.push_back(kCharacters.substr(i, length));
        i += length;
    }
    return out;
}

std::vector<std::string> pictureFiles() {
    std::vector<std::string> out;
    for (size_t i = 0; i < detail::kResourceCount; ++i) {
        const std::string_view name = detail::kResources[i].name;
        if (std::string_view(detail::kResources[i].type) == "JPEG" && name.substr(0, 3) == "JPG") {
            out.push_back(std::string(name.substr(3)) + ".jpg");
        }
    }
    return out;
}

class Writer {
  public:
    explicit Writer(std::uint64_t seed) : random_(seed), characters_(characters()), pictures_(pictureFiles()) {}

    // A text of between min and max characters.
    std::string text(int min, int max) {
        std::string out;
        for (int n = between(min, max); n > 0; --n) out += characters_[index(characters_.size())];
        return out;
    }
    int between(int min, int max) { return std::uniform_int_distribution<int>(min, max)(random_); }
    size_t index(size_t size) { return std::uniform_int_distribution<size_t>(0, size - 1)(random_); }
    std::string types() {
        int pick = between(1, 100);
        for (const auto& share : kTypeShares) {
            if ((pick -= share.weight) <= 0) return share.codes;
        }
        return kTypeShares[0].codes;
    }
    std::string picture() { return pictures_.empty() || between(1, 4) > 1 ? "" : pictures_[index(pictures_.size())]; }
    std::string_view ending() { return kEndings[index(std::size(kEndings))]; }

  private:
    std::mt19937_64 random_;
    std::vector<std::string_view> characters_;
    std::vector<std::string> pictures_;
};

}  // namespace

BankSource synthBankSource(std::int64_t questions, std::uint64_t seed) {
    BankSource source;
    source.types = {
        {"C1", "小型汽车"}, {"C2", "小型自动挡汽车"}, {"A1", "大型客车"}, {"B2", "大型货车"}, {"D", "普通三轮摩托车"}};
    const char* all = "C1,C2,A1,B2,D";
    source.categories = {{"01", "道路交通安全法律、法规和规章", all}, {"02", "道路交通信号", all},
                         {"03", "安全行车、文明驾驶", all},           {"04", "机动车驾驶操作相关知识", all},
                         {"05", "交通事故处理与急救常识", all},       {"06", "客货运输安全知识", "A1,B2"}};
    Writer writer(seed);
    source.questions.reserve(static_cast<size_t>(questions));
    for (std::int64_t id = 1; id <= questions; ++id) {
        Question q;
        q.id = id;
        q.kind = id % 3 == 0 ? "pd" : "xz";
        q.types = writer.types();
        q.category =
            "0" + std::to_string(q.types == "A1,B2" || q.types == "B2" || q.types == "A1" ? 6 : writer.between(1, 5));
        // Between 15 and 60 characters: stored, a text takes four bytes a character, up to about 250 bytes.
        q.text = writer.text(15, 60) + std::string(writer.ending());
        if (q.kind == "xz") {
            for (int i = 0; i < 4; ++i) q.options.push_back(writer.text(2, 18));
            q.answer = std::string(1, static_cast<char>('A' + writer.between(0, 3)));
        } else {
            q.answer = writer.between(0, 1) ? "对" : "错";
        }
        q.image = writer.picture();
        source.questions.push_back(std::move(q));
    }
    return source;
}

}  // namespace zuvo
