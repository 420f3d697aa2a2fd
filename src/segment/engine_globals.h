// The engine's process-wide data set: settings, loaded dictionaries and
// models, special word ids and lifecycle state.
//
// Everything here is defined in its "not started" state (pointers null, ids
// -1, settings at their defaults) and filled in by the engine start-up, which
// owns every object pointed to. Processing code only reads these globals; the
// few objects replaced while the engine runs are swapped by the dictionary
// calls under g_mutex.
//
// The logging switch g_bLog lives in base/log.h and the last error message
// behind base/last_error.h.
#ifndef KAVEL_SEGMENT_ENGINE_GLOBALS_H_
#define KAVEL_SEGMENT_ENGINE_GLOBALS_H_

#include <mutex>
#include <string>

class CPDAT;
class CTrie;
class CUnigram;
class CBigram;
class CWordList;
class CIDMaps;
class CCharset;
class CPOS;
class CPOSmap;
class CContextStat;
class CFSA;
class CCodeTran;
class CMainSystem;
class CBufferManager;

// ---- Lifecycle ----
extern bool g_bActive;      // data set loaded, processing calls may run
extern bool g_bInitStart;   // a start-up has begun
extern std::mutex g_mutex;  // flags, processor slots, user-dictionary changes
extern std::mutex g_hWoker; // worker list and worker availability

// ---- Paths ----
extern std::string g_sDataPath;    // "<init path>/Data", no trailing separator
extern std::string g_sDefaultDir;  // working directory when started without a path

// ---- Settings (values before the configuration is read) ----
extern std::string g_sTagset;        // file name of the main POS map; empty
extern std::string g_sPOSDelimiter;  // "/"
extern std::string g_sWordBoundary;  // two blanks
extern bool g_bWordMerged;           // false
extern bool g_bNERPerson;            // true
extern bool g_bPOSTagger;            // true
extern bool g_bUserDictPrior;        // false: user and field words are atoms when true
extern int g_nGranularity;           // 0; 1 keeps letters and digits apart
extern int g_nPOSPresent;            // 2
extern bool g_bFinerSegCombined;     // false
extern int g_nPosMap;                // 0: POS map index of new processors
extern int g_nEncodeType;            // 0; -1 recognises the encoding per text
extern CCodeTran* g_pCodeTranslator; // null

// ---- Loaded objects (null when not loaded) ----
extern CTrie* g_pUserDict;
extern CPDAT* g_pFieldDict;
extern CWordList* g_pFieldPOS;
extern CPDAT* g_pGranDict;
extern CPOS* g_pGranPOS;
extern CPDAT* g_pSentiDict;
extern CUnigram* g_pSentiScore;
extern CCharset* g_pCharset;
extern CPDAT* g_pCoreDict;
extern CUnigram* g_pUnigram;
extern CBigram* g_pBiDict;
extern CPOS* g_pCorePOS;
extern CContextStat* g_pPOSContext;
// Four maps: 0 the configured tag set, 1 "KAVEL_First.map", 2 "PKU.map",
// 3 "PKU_First.map".
extern CPOSmap** g_ppPOSmap;
extern CPOS* g_pPersonRole;
extern CContextStat* g_pPersonContext;
extern CFSA* g_pPersonFSA;
extern CPDAT* g_pKeyBlackList;
extern std::string g_pKeyPOSBlacklist;  // blacklisted POS names; empty
extern CPDAT* g_pEnglishDict;
extern CWordList* g_pEnglishWordList;
extern CUnigram* g_pEnglishUnigram;
extern CPOS* g_pEnglishPOS;
extern CIDMaps* g_pEnglishIrre2Reg;
extern CPDAT* g_pEngNEDict;
extern CPOS* g_pEngNEPOS;

// ---- Special word ids in the core dictionary (-1 when absent) ----
extern int gSent_StartID;      // sentence-start marker
extern int gSent_EndID;        // sentence-end marker
extern int gUnknown_x_ID;      // unknown string
extern int gUnknown_nr_ID;     // person name
extern int gUnknown_ns_ID;     // place name
extern int gUnknown_nt_ID;     // organisation name
extern int gUnknown_t_ID;      // time expression
extern int gUnknown_m_ID;      // number
extern int gUnknown_nz_ID;     // other proper noun
extern int gQuatation_LD_ID;   // left double quotation mark
extern int gQuatation_RD_ID;   // right double quotation mark
extern int gQuatation_LS_ID;   // left single quotation mark
extern int gQuatation_RS_ID;   // right single quotation mark
extern int gPunctation_WP_ID;  // dash-run token
extern int gOneID;             // the numeral one

// ---- Processors ----
extern CMainSystem* g_pKAVEL;          // first processor, slot 0 of g_vecKAVEL
extern CMainSystem** g_vecKAVEL;       // processors by worker handle
extern unsigned int g_nCopyMemSize;    // entries in g_vecKAVEL
extern CBufferManager* g_pBufManager;  // keeper of returned result buffers

#endif  // KAVEL_SEGMENT_ENGINE_GLOBALS_H_
