// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/YamlTree.h"

#include <yaml-cpp/eventhandler.h>
#include <yaml-cpp/exceptions.h>
#include <yaml-cpp/parser.h>

#include <sstream>
#include <unordered_map>

namespace ktv4 {

namespace {

class TreeBuilder : public YAML::EventHandler {
public:
    explicit TreeBuilder(YamlTree &tree) : m_tree(tree) {}

    void OnDocumentStart(const YAML::Mark &) override {}
    void OnDocumentEnd() override {}
    void OnNull(const YAML::Mark &mark, YAML::anchor_t anchor) override
    {
        add(YamlNode::Kind::Null, mark, anchor);
    }
    void OnAlias(const YAML::Mark &, YAML::anchor_t anchor) override
    {
        const auto found = m_anchors.find(anchor);
        if (found != m_anchors.end())
            attach(found->second);
    }
    void OnScalar(const YAML::Mark &mark, const std::string &, YAML::anchor_t anchor,
                  const std::string &value) override
    {
        const int index = add(YamlNode::Kind::Scalar, mark, anchor);
        m_tree.nodes[size_t(index)].text = value;
    }
    void OnSequenceStart(const YAML::Mark &mark, const std::string &, YAML::anchor_t anchor,
                         YAML::EmitterStyle::value) override
    {
        m_open.push_back(add(YamlNode::Kind::Sequence, mark, anchor));
    }
    void OnSequenceEnd() override { m_open.pop_back(); }
    void OnMapStart(const YAML::Mark &mark, const std::string &, YAML::anchor_t anchor,
                    YAML::EmitterStyle::value) override
    {
        m_open.push_back(add(YamlNode::Kind::Map, mark, anchor));
    }
    void OnMapEnd() override { m_open.pop_back(); }

private:
    int add(YamlNode::Kind kind, const YAML::Mark &mark, YAML::anchor_t anchor)
    {
        const int index = int(m_tree.nodes.size());
        m_tree.nodes.push_back({kind, mark.line + 1, {}, {}});
        if (anchor != YAML::NullAnchor)
            m_anchors[anchor] = index;
        attach(index);
        return index;
    }
    void attach(int index)
    {
        if (m_open.empty())
            m_tree.root = index;
        else
            m_tree.nodes[size_t(m_open.back())].children.push_back(index);
    }

    YamlTree &m_tree;
    std::vector<int> m_open;
    std::unordered_map<YAML::anchor_t, int> m_anchors;
};

} // namespace

YamlParse parseYaml(const QByteArray &content)
{
    YamlParse parse;
    std::istringstream in(std::string(content.constData(), size_t(content.size())));
    try {
        YAML::Parser parser(in);
        TreeBuilder builder(parse.tree);
        if (!parser.HandleNextDocument(builder))
            return parse;
        YamlTree rest;
        TreeBuilder more(rest);
        if (parser.HandleNextDocument(more)) {
            parse.error = QStringLiteral("a second document starts; the file holds one");
            parse.errorLine = rest.nodes.empty() ? 0 : rest.nodes.front().line;
        }
    } catch (const YAML::Exception &e) {
        parse.error = QString::fromStdString(e.msg);
        parse.errorLine = e.mark.is_null() ? 0 : e.mark.line + 1;
    }
    return parse;
}

} // namespace ktv4
