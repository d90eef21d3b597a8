#include "datalist/datalist.h"

#include "generator/escape.h"
#include "generator/template.h"
#include "tpl/datalist_php.h"
#include "tpl/tableheaders_php.h"

namespace tess {

QString BuildTableHeadersCode() { return filled(tpl::tableheaders_php::headers); }

QString BuildDataListScript(const DataListOptions &options)
{
    const QString headers = BuildTableHeadersCode();
    const QString navMenu = options.hideNavMenu ? QString() : filled(tpl::datalist_php::navMenu);
    const QStringView enctype = options.anyImageUpload ? QStringView(u"enctype=\\\"multipart/form-data\\\" ") : QStringView();
    const QString separator = phpDq(options.datePartSeparator);
    Lines out(96 * 1024);
    fill(out, tpl::datalist_php::script,
         {{u"navMenu", navMenu},
          {u"headersBeforeScrollBar", options.scrollStyle == 0 ? QStringView(headers) : QStringView()},
          {u"headersAfterScrollBar", options.scrollStyle == 1 ? QStringView(headers) : QStringView()},
          {u"enctype", enctype},
          {u"dateSeparator", separator}});
    return out.take();
}

QString GetDataListScript(const DataListOptions &options)
{
    return BuildDataListScript(options);
}

} // namespace tess
