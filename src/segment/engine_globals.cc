#include "segment/engine_globals.h"

bool g_bActive = false;
bool g_bInitStart = false;
std::mutex g_mutex;
std::mutex g_hWoker;

std::string g_sDataPath;
std::string g_sDefaultDir;

std::string g_sTagset;
std::string g_sPOSDelimiter = "/";
std::string g_sWordBoundary = "  ";
bool g_bWordMerged = false;
bool g_bNERPerson = true;
bool g_bPOSTagger = true;
bool g_bUserDictPrior = false;
int g_nGranularity = 0;
int g_nPOSPresent = 2;
bool g_bFinerSegCombined = false;
int g_nPosMap = 0;
int g_nEncodeType = 0;
CCodeTran* g_pCodeTranslator = nullptr;

CTrie* g_pUserDict = nullptr;
CPDAT* g_pFieldDict = nullptr;
CWordList* g_pFieldPOS = nullptr;
CPDAT* g_pGranDict = nullptr;
CPOS* g_pGranPOS = nullptr;
CPDAT* g_pSentiDict = nullptr;
CUnigram* g_pSentiScore = nullptr;
CCharset* g_pCharset = nullptr;
CPDAT* g_pCoreDict = nullptr;
CUnigram* g_pUnigram = nullptr;
CBigram* g_pBiDict = nullptr;
CPOS* g_pCorePOS = nullptr;
CContextStat* g_pPOSContext = nullptr;
CPOSmap** g_ppPOSmap = nullptr;
CPOS* g_pPersonRole = nullptr;
CContextStat* g_pPersonContext = nullptr;
CFSA* g_pPersonFSA = nullptr;
CPDAT* g_pKeyBlackList = nullptr;
std::string g_pKeyPOSBlacklist;
CPDAT* g_pEnglishDict = nullptr;
CWordList* g_pEnglishWordList = nullptr;
CUnigram* g_pEnglishUnigram = nullptr;
CPOS* g_pEnglishPOS = nullptr;
CIDMaps* g_pEnglishIrre2Reg = nullptr;
CPDAT* g_pEngNEDict = nullptr;
CPOS* g_pEngNEPOS = nullptr;

int gSent_StartID = -1;
int gSent_EndID = -1;
int gUnknown_x_ID = -1;
int gUnknown_nr_ID = -1;
int gUnknown_ns_ID = -1;
int gUnknown_nt_ID = -1;
int gUnknown_t_ID = -1;
int gUnknown_m_ID = -1;
int gUnknown_nz_ID = -1;
int gQuatation_LD_ID = -1;
int gQuatation_RD_ID = -1;
int gQuatation_LS_ID = -1;
int gQuatation_RS_ID = -1;
int gPunctation_WP_ID = -1;
int gOneID = -1;

CMainSystem* g_pKAVEL = nullptr;
CMainSystem** g_vecKAVEL = nullptr;
unsigned int g_nCopyMemSize = 0;
CBufferManager* g_pBufManager = nullptr;
