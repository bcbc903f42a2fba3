#include "engine/descriptions.h"

#include <array>
#include <cstddef>

namespace kindrell {
namespace {

// One destiny number's paragraphs in reading order: its positive piece (two for 4), then its
// negative piece. Unused trailing slots stay empty; every real piece is non-empty, so the pieces
// are exactly the slots before the first empty one.
struct DestinyPieces {
    std::int16_t number = 0;
    std::array<std::u16string_view, 3> pieces;
};

// Each piece is one paragraph, kept verbatim: the blank that ends the first piece of 4 belongs
// to it, so nothing here may be trimmed or reflowed.
constexpr std::array<DestinyPieces, 9> kDescriptionTable{{
    {1,
     {
         // positive
         u"This tells you are a leader. You like to stand on your own feet, to make up your own "
         u"mind and to go first where others hesitate. Your will is steady, so once you set a "
         u"goal you push on until it is reached. People often look to you for direction, and "
         u"you give it gladly. You are original, independent and courageous, and you have the "
         u"energy to turn fresh, bold ideas into real achievements.",
         // negative
         u"The negative trait of this number includes one becoming egotistic and developing a "
         u"self-centered approach to life. You may grow impatient with others, and forget to "
         u"listen to their views.",
     }},
    {2,
     {
         // positive
         u"This number gives you good people managing skills. You are a natural peacemaker who "
         u"senses what others feel and knows how to bring them together. Tact, patience and "
         u"diplomacy come easily to you, and you work best as a partner or a member of a team. "
         u"You notice small details that others miss, and you care about harmony at home and at "
         u"work. Friends trust you with their worries because you listen without judging. Your "
         u"gentle strength helps every group you join hold together.",
         // negative
         u"The negative trait of this number is that you can be sensitive to certain issues and "
         u"be affected very easily. An unkind word may hurt you for days. You may also hold "
         u"back your own wishes to keep the peace, and slip into shyness or indecision.",
     }},
    {3,
     {
         // positive
         u"This number indicates a strong creativity in your nature. You express yourself with "
         u"ease, whether in words, music, art or simple conversation, and your joy in living is "
         u"catching. You are warm, witty and sociable, and people enjoy your company. You make "
         u"friends easily. Your imagination is lively, and you find beauty in ordinary moments. "
         u"When you put your talents to work with discipline, you can inspire others and bring "
         u"delight to the world around you.",
         // negative
         u"The negative trait of Destiny number 3 is unwanted display of show. You may talk too "
         u"much, exaggerate, or crave attention. Your energy can scatter over too many "
         u"projects, leaving much begun and little finished, and you may hide your real worries "
         u"behind a cheerful face.",
     }},
    {4,
     {
         // first positive
         u"You will have good management and organizational skills. You are practical, patient "
         u"and hard-working, and you like to build things that last. Order and method come "
         u"naturally to you: you plan with care, you follow each task step by step, and you "
         u"finish what you start. Others count on you because you are honest, loyal and "
         u"dependable. You respect rules and tradition, and you value a secure home and a "
         u"steady income. Your feet are firmly on the ground, so you see clearly what can "
         u"really be done. You take real pride in work well done, and you rarely cut corners. "
         u"With your persistence, even huge tasks become possible, one careful brick at a time. ",
         // second positive
         u"All with Destiny 4, and especially the master number 22/4, are potentially equipped "
         u"to handle large undertakings that would overwhelm most people. If you carry 22/4, "
         u"you can join vision to practical skill and build something that serves many people, "
         u"lasting long past your own time.",
         // negative
         u"The negative trait of 4 often produces arrogant and dominating individuals. You may "
         u"become rigid in your views and slow to accept change, insisting there is only one "
         u"right way, your way. Your seriousness can turn into stubbornness, and hard work into "
         u"working far too much. Try not to be overly strict with yourself and others, and "
         u"leave some room for rest, play and the ideas of those around you.",
     }},
    {5,
     {
         // positive
         u"You are gifted with multiple talents. You love freedom, travel and variety, and you "
         u"learn quickly from every new experience. Your mind is curious and versatile, and you "
         u"adapt with ease to changing places and people. You are clever with words and ideas, "
         u"and you can sell, teach or persuade with charm. Adventure calls you, and you answer "
         u"it with courage. Life with you is very rarely dull, because you bring movement and "
         u"fresh air wherever you go. Change does not frighten you; it is where you feel most "
         u"alive.",
         // negative
         u"The negative side of the number says that your restless and impatient attitude may "
         u"keep you from finishing what you begin. You may tire quickly of routine, of places "
         u"and even people, and chase one new thrill after another. Overindulgence can also be "
         u"a risk for you.",
     }},
    {6,
     {
         // positive
         u"Your goal of life is to have the right balance of love and responsibility. You are "
         u"caring, generous and protective, and you feel happiest when the people close to you "
         u"are well. Home and family matter deeply to you, and you gladly give them your time "
         u"and your heart. You have a strong sense of duty, and others know they can lean on "
         u"you in difficult times. You love beauty and harmony and often have a gift for art, "
         u"music or making a home comfortable. You are a natural counsellor, teacher or healer, "
         u"and you find joy in serving your community. Your kindness and fairness win you many "
         u"friends wherever you go, and your loyalty keeps them for life.",
         // negative
         u"The negative traits associated with this number, are stubbornness, arrogance and "
         u"feeling o superficial self-esteem. You may worry too much about others and interfere "
         u"in their lives, or expect thanks for every kindness. Learn to let others find their "
         u"own way.",
     }},
    {7,
     {
         // positive
         u"You will be interested in analysis and the development of a mind skilled at "
         u"searching out the truth behind appearances. You are thoughtful, wise and observant, "
         u"and you need time alone to think and reflect. Study, research and the deeper "
         u"questions of life draw you, and you are not content with easy answers. Your "
         u"intuition is keen and often guides you well. You are dignified and reserved, and "
         u"your quiet presence earns respect. Science, philosophy and spiritual matters suit "
         u"you. Over the years you gather knowledge and insight, and when you share it, others "
         u"value your judgment and seek your advice in important matters.",
         // negative
         u"The negative trait of this number is that you do not trust people easily. You may "
         u"keep your true feelings to yourself and seem cold or distant, even to those who love "
         u"you. Too much time alone can turn into isolation, and a sharp mind can become "
         u"critical or cynical. Open your heart a little, and let others in.",
     }},
    {8,
     {
         // positive
         u"You need to achieve material and financial comfort above all things. You have great "
         u"ambition and a real flair for business, money and power. You think big, you plan "
         u"well and you judge people and situations with a sure eye. Leadership comes naturally "
         u"to you, and you can manage large projects and organizations with confidence. You are "
         u"strong, efficient and practical, and you do not give up when things get hard. "
         u"Success often comes to you through steady effort, and you know how to use it wisely. "
         u"When you balance your drive with generosity, your wealth and authority can help many "
         u"others.",
         // negative
         u"A negative 8 can be very rigid and stubborn. You may care too much about money and "
         u"status, and be hard on people who stand in your way.",
     }},
    {9,
     {
         // positive
         u"Your prime focus will be in activities of compassion, and in worldly understanding. "
         u"You are generous, tolerant and broad-minded, and you care for people of every "
         u"background. You give freely of your time and your gifts, and you often feel called "
         u"to serve humanity. Your ideals are high, your heart is big, and you forgive quickly. "
         u"Your wisdom grows with every experience of life.",
         // negative
         u"The negative traits of 9 Destiny can be selfishness and an egoistic attitude. You "
         u"may also grow moody, or lose yourself in daydreams and neglect the practical needs "
         u"of daily life.",
     }},
}};

constexpr std::size_t PieceCount(const DestinyPieces& entry) {
    std::size_t count = 0;
    while (count < entry.pieces.size() && !entry.pieces[count].empty()) {
        ++count;
    }
    return count;
}

// The lookup indexes by number - 1 and 4 alone carries a second positive piece; a slip in the
// table should stop the build, not show the wrong reading.
constexpr bool DescriptionTableIsWellFormed() {
    for (std::size_t i = 0; i < kDescriptionTable.size(); ++i) {
        const DestinyPieces& entry = kDescriptionTable[i];
        if (entry.number != static_cast<std::int16_t>(i + 1)) {
            return false;
        }
        const std::size_t count = PieceCount(entry);
        if (count != (entry.number == 4 ? 3U : 2U)) {
            return false;
        }
        for (std::size_t slot = count; slot < entry.pieces.size(); ++slot) {
            if (!entry.pieces[slot].empty()) {
                return false;
            }
        }
    }
    return true;
}
static_assert(DescriptionTableIsWellFormed());

} // namespace

std::u16string GetDestinyDescription(std::int16_t number) {
    if (number < 1 || number > static_cast<std::int16_t>(kDescriptionTable.size())) {
        return {};
    }
    const DestinyPieces& entry = kDescriptionTable[static_cast<std::size_t>(number - 1)];
    const std::size_t count = PieceCount(entry);

    std::u16string description;
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0) {
            description += kParagraphSeparator;
        }
        description += entry.pieces[i];
    }
    return description;
}

} // namespace kindrell
