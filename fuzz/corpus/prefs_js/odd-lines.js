USER_PREF("BROWSER.CACHE.DIRECTORY" ,	"C:\\a \"quoted\" b");
user_pref("browser.cache.directory", "unterminated
user_pref("browser.cache.directory", "   ");
user_pref("browser.cache.directory", "D:\\Cache");
